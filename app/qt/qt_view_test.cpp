// The Qt renderer builds what the description says: every window and control as its
// row gives it, the Tab order of each window; and what is Qt's own: clicks through
// labels, mouse releases on the window's surface, closing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/qt/cp1251.h"
#include "app/qt/testing/qt_shell.h"
#include "app/qt/text_pane.h"

using namespace tarvex;
using tarvex::testing::QtShell;
using tarvex::testing::ShowActive;

namespace {

// Every way the renderer's widgets differ from the description, one line each.
class Differences {
 public:
  template <typename T>
  void Check(const char* name, const char* what, const T& built, const T& described) {
    if (built == described) return;
    QString line;
    QDebug(&line).nospace().noquote() << name << " " << what << ": " << built << ", described " << described;
    lines.append(line);
  }
  void CheckFont(const char* name, const QFont& built, const Font& described) {
    Check(name, "font", built.family(), QString("MS Sans Serif"));
    Check(name, "points", built.pointSize(), described.points);
    Check(name, "bold", built.bold(), described.bold);
  }

  QStringList lines;
};

const char* ClassOf(Kind kind) {
  switch (kind) {
    case Kind::kLabel: return "QLabel";
    case Kind::kEdit: return "QLineEdit";
    case Kind::kButton: return "QPushButton";
    case Kind::kCheckBox: return "QCheckBox";
    case Kind::kComboBox: return "QComboBox";
    case Kind::kPane: return "tarvex::TextPane";
    case Kind::kBevel: return "QFrame";
  }
  return "";
}

// The caption or text the widget shows.
QString ShownText(QWidget& widget) {
  if (auto* label = qobject_cast<QLabel*>(&widget)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) return edit->text();
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) return button->text();
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) return combo->currentText();
  if (auto* pane = qobject_cast<TextPane*>(&widget)) return FromCp1251(pane->Text());
  return {};
}

void CheckControl(Differences& differences, const ControlRow& row, QWidget& widget) {
  const auto check = [&](const char* what, const auto& built, const auto& described) {
    differences.Check(row.name, what, built, described);
  };
  check("class", QString(widget.metaObject()->className()), QString(ClassOf(row.kind)));
  check("geometry", widget.geometry(), QRect(row.left, row.top, row.width, row.height));
  check("text", ShownText(widget), QString::fromUtf8(row.text));
  check("hidden", widget.isHidden(), (row.look & kHidden) != 0);
  check("enabled", widget.isEnabled(), (row.look & kDisabled) == 0);
  differences.CheckFont(row.name, widget.font(), row.font.points != 0 ? row.font : RowOf(row.window).font);
  if (auto* box = qobject_cast<QCheckBox*>(&widget)) check("ticked", box->isChecked(), (row.look & kTicked) != 0);
  if (auto* label = qobject_cast<QLabel*>(&widget)) {
    check("centred", (label->alignment() & Qt::AlignHCenter) != 0, (row.look & kCentred) != 0);
  }
  if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    check("default", button->isDefault(), (row.look & kDefaultButton) != 0);
  }
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    QStringList items;
    for (const std::string& item : ComboItems(row.items)) items.append(QString::fromStdString(item));
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i) shown.append(combo->itemText(i));
    check("items", shown, items);
    check("editable", combo->isEditable(), true);
  }
  if (auto* pane = qobject_cast<TextPane*>(&widget)) {
    check("wrap", pane->lineWrapMode(), QPlainTextEdit::NoWrap);
    check("scroll bars", QPair(pane->horizontalScrollBarPolicy(), pane->verticalScrollBarPolicy()),
          QPair(Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOn));
    const QPalette colours = pane->palette();
    if (row.look & kFaceBackground) check("background", colours.color(QPalette::Base), colours.color(QPalette::Button));
    if (row.look & kGreenOnBlack) {
      check("background", colours.color(QPalette::Base), QColor(Qt::black));
      check("text colour", colours.color(QPalette::Text), QColor(0, 255, 0));
    }
  }
}

void CheckWindow(Differences& differences, const WindowRow& row, QWidget& window) {
  const auto check = [&](const char* what, const auto& built, const auto& described) {
    differences.Check(row.name, what, built, described);
  };
  check("name", window.objectName(), QString(row.name));
  check("title", window.windowTitle(), QString(row.caption_indent, ' ') + QString::fromUtf8(row.caption));
  differences.CheckFont(row.name, window.font(), row.font);
  if (row.left >= 0) check("position", window.pos(), QPoint(row.left, row.top));
  check("size", window.size(), QSize(row.width, row.height));
  if (row.frame == Frame::kPlain) return;
  check("fixed", window.minimumSize() == window.maximumSize(), true);
  const Qt::WindowFlags flags = window.windowFlags();
  const bool close_box = row.frame == Frame::kCloseAndMinimise || row.frame == Frame::kClose;
  check("close box", flags.testFlag(Qt::WindowCloseButtonHint), close_box);
  check("system menu", flags.testFlag(Qt::WindowSystemMenuHint), close_box);
  check("minimise box", flags.testFlag(Qt::WindowMinimizeButtonHint), row.frame == Frame::kCloseAndMinimise);
  check("maximise box", flags.testFlag(Qt::WindowMaximizeButtonHint), false);
}

// The control holding the focus (a combo box's edit field counts as the box).
QString FocusedControl(QWidget& window) {
  QWidget* focused = QApplication::focusWidget();
  while (focused != nullptr && focused->parentWidget() != &window) focused = focused->parentWidget();
  return focused != nullptr ? focused->objectName() : QString();
}

// Tab from the first of the window's shown controls that take the focus (labels and
// bevels take none) visits the others in the table's order and comes round again.
void CheckTabOrder(Differences& differences, const WindowRow& row, QtView& view) {
  QStringList described;
  for (const ControlRow& control : Controls()) {
    const bool focusable = control.kind != Kind::kLabel && control.kind != Kind::kBevel;
    if (control.window == row.id && focusable && !(control.look & (kHidden | kDisabled))) {
      described.append(control.name);
    }
  }
  if (described.isEmpty()) return;
  QWidget& window = view.WindowOf(row.id);
  QVERIFY(ShowActive(window));
  window.findChild<QWidget*>(described.front())->setFocus();
  QStringList walked;
  for (qsizetype i = 0; i < described.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    walked.append(FocusedControl(window));
  }
  described.append(described.takeFirst());
  differences.Check(row.name, "Tab order", walked, described);
}

}  // namespace

class QtViewTest : public QObject {
  Q_OBJECT
 private slots:
  void BuildsWhatTheDescriptionSays() {
    QtView view;
    Differences differences;
    for (const WindowRow& row : Windows()) {
      QWidget& window = view.WindowOf(row.id);
      // The window's own controls in the table's order, which is also their stacking
      // order: labels lie over the controls they overlap.
      QStringList described;
      for (const ControlRow& control : Controls()) {
        if (control.window != row.id) continue;
        described.append(control.name);
        auto* widget = window.findChild<QWidget*>(control.name, Qt::FindDirectChildrenOnly);
        differences.Check(control.name, "widget", widget, &view.WidgetOf(control.id));
        if (widget != nullptr) CheckControl(differences, control, *widget);
      }
      QStringList built;
      // The confirmation, a window of its own, stands over the main window as its child.
      for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow()) built.append(child->objectName());
      }
      differences.Check(row.name, "controls", built, described);
      CheckTabOrder(differences, row, view);
      CheckWindow(differences, row, window);
    }
    for (const QString& line : differences.lines) qWarning("%s", qPrintable(line));
    QCOMPARE(differences.lines.size(), 0);
  }

  void AClickOverAShownLabelReachesTheControlBeneath() {
    QtShell shell;
    QWidget& window = shell.view.WindowOf(Window::kForm1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // "OK" lies over the right end of "Open"; a click there, routed by the window
    // system as the user's would be, reaches the button, which finds no port.
    shell.form->Label2.Show();
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(210, 35));
    QCOMPARE(shell.dialogs.messages, std::vector<std::string>{Cp1251FromUtf8("   COM порт ???")});
  }

  void OnlyARightClickOnTheSurfaceShowsDiag() {
    QtShell shell;
    QWidget& window = shell.view.WindowOf(Window::kForm1);
    QWidget& diag = shell.view.WindowOf(Window::kForm2);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint surface(300, 90);
    QVERIFY(window.childAt(surface) == nullptr);
    const auto click = [&window](Qt::MouseButton button, QPoint at) {
      QTest::mouseClick(window.windowHandle(), button, {}, at);
    };
    click(Qt::LeftButton, surface);
    click(Qt::RightButton, QPoint(170, 30));  // over "Open"
    QVERIFY(diag.isHidden());
    click(Qt::RightButton, surface);
    QVERIFY(diag.isVisible());
    // A label lets the click through to the surface beneath it.
    diag.hide();
    click(Qt::RightButton, QPoint(10, 34));  // over "COM:"
    QVERIFY(diag.isVisible());
  }

  void ClosingTheMainWindowIsTheLogicsCallClosingDiagHidesIt() {
    QtShell shell;
    QWidget& window = shell.view.WindowOf(Window::kForm1);
    QWidget& diag = shell.view.WindowOf(Window::kForm2);
    window.show();
    diag.show();
    // The logic asked for the process's end; until it comes, the window stays.
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(shell.exit_codes, std::vector<int>{0});
    QVERIFY(diag.close());
    QVERIFY(diag.isHidden());
    QCOMPARE(shell.exit_codes, std::vector<int>{0});
  }
};

QTEST_MAIN(QtViewTest)
#include "qt_view_test.moc"
