// The main window as laid out: every control, the frame, fonts and the Tab order.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/testing/shell.h"
#include "app/qt/text_pane.h"

namespace {

struct Expected {
  const char* name;
  const char* kind;
  QRect geometry;
  bool hidden;
  bool disabled;
};

const Expected kLayout[] = {
    {"Label1", "QLabel", {8, 32, 32, 13}, false, false},
    {"Edit1", "QLineEdit", {42, 28, 25, 21}, false, false},
    {"ok", "QLabel", {71, 31, 18, 13}, true, false},
    {"Boud", "QLineEdit", {95, 28, 51, 21}, false, false},
    {"OpenCom", "QPushButton", {157, 24, 68, 26}, false, false},
    {"Label2", "QLabel", {204, 29, 18, 13}, true, false},
    {"Label5", "QLabel", {229, 29, 48, 13}, true, false},
    {"ButContLog", "QPushButton", {289, 24, 94, 26}, false, false},
    {"chFile", "QCheckBox", {408, 30, 73, 17}, false, false},
    {"Button7", "QPushButton", {484, 24, 94, 26}, false, false},
    {"ButKillLog", "QPushButton", {413, 64, 55, 26}, false, false},
    {"Last10", "QCheckBox", {49, 115, 81, 17}, false, false},
    {"Last100", "QCheckBox", {133, 115, 81, 17}, false, false},
    {"Last500", "QCheckBox", {224, 115, 81, 17}, false, false},
    {"Beg", "QLineEdit", {320, 112, 57, 21}, false, false},
    {"Index", "QCheckBox", {385, 110, 96, 25}, false, false},
    {"EdONE", "QLineEdit", {608, 112, 41, 21}, false, false},
    {"EdVal", "QLineEdit", {664, 112, 41, 21}, false, false},
    {"Edi", "QLineEdit", {72, 149, 81, 21}, false, false},
    {"Button4", "QPushButton", {184, 147, 94, 26}, true, true},
    {"Button5", "QPushButton", {288, 147, 94, 26}, true, true},
    {"Button8", "QPushButton", {289, 147, 94, 26}, false, false},
    {"Button6", "QPushButton", {484, 147, 94, 26}, false, false},
    {"ONE", "QCheckBox", {609, 147, 40, 17}, false, false},
    {"Memo1", "tarvex::TextPane", {48, 184, 489, 473}, false, false},
    {"ReadTim", "QPushButton", {419, 238, 62, 26}, false, false},
    {"Button9", "QPushButton", {230, 672, 94, 26}, false, false},
    {"ButContRetro", "QPushButton", {54, 688, 94, 26}, true, true},
    {"Memo", "tarvex::TextPane", {197, 704, 716, 153}, false, false},
    {"Button1", "QPushButton", {11, 718, 59, 26}, false, false},
    {"BuReboot", "QPushButton", {121, 718, 59, 26}, false, false},
    {"ButContCount", "QPushButton", {351, 712, 94, 26}, false, false},
    {"Upl", "QPushButton", {494, 718, 115, 26}, false, false},
    {"Set_Test", "QPushButton", {367, 758, 115, 26}, false, false},
    {"Upl_test", "QPushButton", {494, 758, 115, 26}, false, false},
    {"Button2", "QPushButton", {168, 776, 49, 41}, false, false},
    {"add1", "QLineEdit", {80, 784, 25, 21}, false, false},
    {"add2", "QLineEdit", {120, 784, 25, 21}, false, false},
    {"day", "QLineEdit", {104, 808, 33, 21}, false, false},
    {"End2", "QLineEdit", {16, 795, 57, 21}, true, false},
    {"Label", "QLabel", {298, 798, 81, 13}, false, false},
    {"Label6", "QLabel", {224, 815, 107, 13}, false, false},
    {"Label7", "QLabel", {364, 815, 119, 13}, false, false},
    {"ComboBox1", "QComboBox", {244, 832, 73, 21}, false, false},
    {"ComboBox2", "QComboBox", {372, 832, 49, 21}, false, false},
    {"ComboBox3", "QComboBox", {427, 832, 49, 21}, false, false},
    {"Label3", "QLabel", {484, 837, 18, 13}, true, false},
    {"Label4", "QLabel", {492, 837, 27, 13}, true, false},
    {"Button3", "QPushButton", {61, 840, 84, 26}, true, true},
    {"Ope", "QPushButton", {871, 151, 104, 26}, false, false},
    {"Sav", "QPushButton", {740, 359, 105, 26}, false, false},
    {"DownScr", "QPushButton", {736, 104, 94, 26}, true, false},
    {"Down_testik", "QPushButton", {749, 136, 70, 26}, true, false},
    {"ButtonUp", "QPushButton", {855, 104, 94, 26}, true, false},
    {"ButBegLog", "QPushButton", {808, 56, 94, 26}, true, false},
    {"ButBegRetro", "QPushButton", {743, 184, 94, 26}, true, false},
};

// Member order, which is the creation order (and so the stacking order).
const char* const kDeclarationOrder[] = {
    "Memo", "Ope", "Sav", "DownScr", "Upl", "Edit1", "Label1", "ReadTim", "OpenCom", "Button1",
    "Set_Test", "Down_testik", "Upl_test", "ok", "Label", "BuReboot", "Button2", "add1", "add2",
    "day", "Boud", "ComboBox1", "Label2", "ComboBox2", "ComboBox3", "Label3", "Label4", "Label5",
    "ButtonUp", "Label6", "Label7", "ButKillLog", "ButBegLog", "Memo1", "ButContLog",
    "ButBegRetro", "ButContRetro", "Last10", "Last100", "Index", "Beg", "End2", "chFile",
    "Button3", "Last500", "Edi", "Button4", "Button5", "Button6", "EdONE", "ONE", "EdVal",
    "Button7", "Button8", "ButContCount", "Button9"};

// Tab order with the hidden controls left out.
const char* const kVisibleTabOrder[] = {
    "Memo", "Ope", "Sav", "Upl", "Edit1", "ReadTim", "OpenCom", "Button1", "Set_Test",
    "Upl_test", "BuReboot", "Button2", "add1", "add2", "day", "Boud", "ComboBox1",
    "ComboBox2", "ComboBox3", "ButKillLog", "Memo1", "ButContLog", "Last10", "Last100",
    "Index", "Beg", "chFile", "Last500", "Edi", "Button6", "EdONE", "ONE", "EdVal",
    "Button7", "Button8", "ButContCount", "Button9"};

// The control that holds the focus (a combo box's edit field counts as the box).
QString FocusedControl(QWidget* window) {
  QWidget* focused = QApplication::focusWidget();
  while (focused != nullptr && focused->parentWidget() != window) focused = focused->parentWidget();
  return focused != nullptr ? focused->objectName() : QString();
}

}  // namespace

class TForm1LayoutTest : public QObject {
  Q_OBJECT
 private slots:
  void EveryControlHasItsKindPlaceAndState() {
    tarvex::testing::Shell shell;
    for (const Expected& e : kLayout) {
      auto* control = shell.form->findChild<QWidget*>(e.name, Qt::FindDirectChildrenOnly);
      QVERIFY2(control != nullptr, e.name);
      QVERIFY2(control->inherits(e.kind), e.name);
      QCOMPARE(control->geometry(), e.geometry);
      QVERIFY2(control->isHidden() == e.hidden, e.name);
      QVERIFY2(control->isEnabled() == !e.disabled, e.name);
    }
    QCOMPARE(shell.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
             qsizetype(std::size(kLayout)));
  }

  void ControlsAreCreatedInDeclarationOrder() {
    tarvex::testing::Shell shell;
    QStringList created;
    for (QObject* child : shell.form->children()) {
      if (child->isWidgetType()) created.append(child->objectName());
    }
    QStringList expected;
    for (const char* name : kDeclarationOrder) expected.append(name);
    QCOMPARE(created, expected);
  }

  void CaptionsAndInitialValues() {
    tarvex::testing::Shell shell;
    auto& f = *shell.form;
    QCOMPARE(f.windowTitle(), QString(67, ' ') + "TARVEX");
    QCOMPARE(f.OpenCom->text(), QString("Open"));
    QCOMPARE(f.Label5->text(), QString("NOT OK"));
    QCOMPARE(f.chFile->text(), QString::fromUtf8("Файл"));
    QCOMPARE(f.Index->text(), QString::fromUtf8("последних"));
    QVERIFY(f.Index->isChecked());
    QVERIFY(!f.Last10->isChecked() && !f.Last100->isChecked() && !f.Last500->isChecked());
    QVERIFY(!f.chFile->isChecked() && !f.ONE->isChecked());
    QCOMPARE(f.Beg->text(), QString("30"));
    QCOMPARE(f.EdONE->text(), QString("3"));
    QCOMPARE(f.EdVal->text(), QString(" "));
    QCOMPARE(f.End2->text(), QString("End"));
    QCOMPARE(f.Edi->text(), QString());
    QCOMPARE(f.Label->text(), QString());
    QCOMPARE(f.Label->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    QCOMPARE(f.ComboBox1->currentText(), QString::fromUtf8("10 мин"));
    QCOMPARE(f.ComboBox1->count(), 4);
    QCOMPARE(f.ComboBox1->itemText(3), QString::fromUtf8("Отмена"));
    QCOMPARE(f.ComboBox2->currentText(), QString("8"));
    QCOMPARE(f.ComboBox2->count(), 24);
    QCOMPARE(f.ComboBox3->currentText(), QString("0"));
    QCOMPARE(f.ComboBox3->count(), 60);
    QVERIFY(f.ComboBox1->isEditable());
    QCOMPARE(f.Memo->Text(), std::string());
    QCOMPARE(f.Memo1->Text(), std::string("\r\n"));
    QCOMPARE(f.OpenDialog.default_extension, QString("json"));
    QCOMPARE(f.OpenDialog1.filter_pattern, QString("scr"));
    QCOMPARE(f.SaveDialog2.default_extension, QString("ret"));
  }

  void FixedFrameAndFonts() {
    tarvex::testing::Shell shell;
    auto& f = *shell.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QCOMPARE(f.size(), QSize(588, 677));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(f.pos(), QPoint(477, 120));
    QCOMPARE(f.font().family(), QString("MS Sans Serif"));
    QCOMPARE(f.font().pointSize(), 8);
    QVERIFY(f.font().bold());
    QVERIFY(f.OpenCom->font().bold());
    QCOMPARE(f.Memo->font().pointSize(), 10);
    QVERIFY(!f.Memo->font().bold());
    QCOMPARE(f.Memo1->font().pointSize(), 8);
    QVERIFY(!f.Memo1->font().bold());
    QCOMPARE(f.Memo->palette().color(QPalette::Base), f.palette().color(QPalette::Button));
    for (tarvex::TextPane* pane : {f.Memo, f.Memo1}) {
      QCOMPARE(pane->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      QCOMPARE(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
      QCOMPARE(pane->lineWrapMode(), QPlainTextEdit::NoWrap);
    }
    // Controls past the edges stay where they are, clipped rather than moved.
    QCOMPARE(f.Ope->pos(), QPoint(871, 151));
    QVERIFY(!f.rect().contains(f.Button1->geometry().topLeft()));
  }

  void TabWalksTheControlsInOrderSkippingHiddenOnes() {
    tarvex::testing::Shell shell;
    auto& f = *shell.form;
    QVERIFY(tarvex::testing::ShowActive(f));
    f.Memo->setFocus();
    QStringList walked{FocusedControl(&f)};
    for (std::size_t i = 1; i <= std::size(kVisibleTabOrder); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked.append(FocusedControl(&f));
    }
    QStringList expected;
    for (const char* name : kVisibleTabOrder) expected.append(name);
    expected.append("Memo");  // and round again
    QCOMPARE(walked, expected);
  }

  void TabFromOpenThenSpaceClearsTheConfigurationPane() {
    tarvex::testing::Shell shell;
    auto& f = *shell.form;
    QVERIFY(tarvex::testing::ShowActive(f));
    f.Memo->SetText(std::string_view("{\"cfg\":1}"));
    f.Memo1->SetText(std::string_view("log"));
    f.OpenCom->setFocus();
    QTest::keyClick(f.OpenCom, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.Button1));
    QTest::keyClick(f.Button1, Qt::Key_Space);
    QCOMPARE(f.Memo->Text(), std::string());
    QCOMPARE(f.Memo1->Text(), std::string("log"));
  }
};

QTEST_MAIN(TForm1LayoutTest)
#include "tform1_layout_test.moc"
