// The diagnostic window, the empty window and the real confirmation dialog.
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/testing/shell.h"
#include "app/qt/ok_bottom_dlg.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/text_pane.h"
#include "app/qt/tform2.h"
#include "app/qt/tform3.h"

using tarvex::TOKBottomDlg;

namespace {

// Answers the modal dialog once it is up; a watchdog closes it with an odd result
// so that a lost key press fails the test instead of hanging it.
void AnswerWith(TOKBottomDlg& dialog, Qt::Key key, QPoint* placed_at = nullptr) {
  auto* poll = new QTimer(&dialog);
  QObject::connect(poll, &QTimer::timeout, &dialog, [&dialog, key, placed_at, poll] {
    if (!dialog.isVisible()) return;
    poll->deleteLater();
    if (placed_at != nullptr) *placed_at = dialog.pos();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, key);
  });
  poll->start(5);
  auto* watchdog = new QTimer(&dialog);
  watchdog->setSingleShot(true);
  QObject::connect(watchdog, &QTimer::timeout, &dialog, [&dialog] { dialog.done(99); });
  QObject::connect(&dialog, &QDialog::finished, watchdog, &QObject::deleteLater);
  watchdog->start(5000);
}

}  // namespace

class AuxWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void DiagShowsOnlyItsRebootButton() {
    tarvex::TForm2 diag;
    QCOMPARE(diag.windowTitle(), QString(84, ' ') + "Diag");
    QCOMPARE(diag.size(), QSize(264, 89));
    QCOMPARE(diag.pos(), QPoint(660, 230));
    QVERIFY(!(diag.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(diag.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(diag.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(diag.Memo->geometry(), QRect(8, 176, 649, 161));
    QCOMPARE(diag.Button1->geometry(), QRect(272, 344, 129, 25));
    QCOMPARE(diag.Button2->geometry(), QRect(56, 32, 145, 25));
    QCOMPARE(diag.Button1->text(), QString("Clear"));
    QCOMPARE(diag.Button2->text(), QString("REBOOT"));
    QVERIFY(diag.rect().contains(diag.Button2->geometry()));
    QVERIFY(!diag.rect().intersects(diag.Memo->geometry()));
    QCOMPARE(diag.Memo->palette().color(QPalette::Text), QColor(0, 255, 0));
    QVERIFY(diag.isHidden());
  }

  void DiagRebootRunsTheBoundActionAndTabReachesClear() {
    tarvex::TForm2 diag;
    diag.Button2->click();  // unbound: nothing happens
    int reboots = 0;
    diag.RebootAction = [&] { ++reboots; };
    diag.Button2->click();
    QCOMPARE(reboots, 1);

    QVERIFY(tarvex::testing::ShowActive(diag));
    diag.Memo->AddLine(std::string_view("trace"));
    diag.Memo->setFocus();
    QTest::keyClick(diag.Memo, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(diag.Button1));
    QTest::keyClick(diag.Button1, Qt::Key_Space);
    QCOMPARE(diag.Memo->Text(), std::string());
    QTest::keyClick(diag.Button1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(diag.Button2));
  }

  void EmptyWindowIsNeverShown() {
    tarvex::TForm3 form3;
    QCOMPARE(form3.windowTitle(), QString("Form3"));
    QCOMPARE(form3.pos(), QPoint(192, 125));
    QVERIFY(form3.isHidden());
    QVERIFY(form3.children().isEmpty());
  }

  void ConfirmationLayout() {
    QWidget main;
    TOKBottomDlg dialog(&main);
    QCOMPARE(dialog.windowTitle(), QString(25, ' ') + QString::fromUtf8("ВОПРОС"));
    QCOMPARE(dialog.size(), QSize(207, 92));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
    QCOMPARE(dialog.Label1->text(), QString::fromUtf8("   Вы  уверены?"));
    QCOMPARE(dialog.Label1->geometry(), QRect(32, 16, 137, 24));
    QCOMPARE(dialog.Label1->font().pointSize(), 14);
    QVERIFY(!dialog.Label1->font().bold());
    QCOMPARE(dialog.Bevel1->geometry(), QRect(9, 8, 186, 41));
    QCOMPARE(dialog.OKBtn->text(), QString::fromUtf8("ДА"));
    QCOMPARE(dialog.OKBtn->geometry(), QRect(27, 54, 76, 25));
    QVERIFY(dialog.OKBtn->isDefault());
    QVERIFY(dialog.OKBtn->font().bold());
    QCOMPARE(dialog.CancelBtn->text(), QString::fromUtf8("НЕТ"));
    QCOMPARE(dialog.CancelBtn->geometry(), QRect(107, 54, 76, 25));
  }

  void EnterAnswersYesEscapeNoAndItSitsOverTheMainWindow() {
    QWidget main;
    main.setFixedSize(588, 677);
    main.move(300, 40);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TOKBottomDlg dialog(&main);
    tarvex::QtDialogs dialogs("Tarvex");
    dialogs.SetConfirmationDialog(&dialog);

    QPoint placed;
    AnswerWith(dialog, Qt::Key_Return, &placed);
    QCOMPARE(dialogs.Confirm(), 1);
    const auto expected_at = [&] {
      return QPoint(main.frameGeometry().left() + main.frameGeometry().width() / 2 -
                        dialog.frameGeometry().width() / 2,
                    main.frameGeometry().top() + 5);
    };
    QCOMPARE(placed, expected_at());

    // Moved elsewhere, the main window takes the dialog along.
    main.move(20, 200);
    AnswerWith(dialog, Qt::Key_Escape, &placed);
    QCOMPARE(dialogs.Confirm(), 2);
    QCOMPARE(placed, expected_at());
  }
};

QTEST_MAIN(AuxWindowsTest)
#include "aux_windows_test.moc"
