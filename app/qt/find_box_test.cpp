// The find box on the window's real panes: Ctrl+F, Find Next, F3, the selection, the
// view, "not found", and a pane that keeps filling, between searches and while a LOG
// runs against the simulator.
#include "app/qt/find_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "app/qt/cp1251.h"
#include "app/qt/qt_view.h"
#include "app/qt/testing/sim_window.h"
#include "app/qt/text_pane.h"

using namespace tarvex;

class FindBoxTest : public QObject {
  Q_OBJECT
 private slots:
  void FindsInThePaneItWasOpenedFromWhileItFills() {
    QtView view;
    QWidget& form = view.WindowOf(Window::kForm1);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    FindBox box(&form, {&view.PaneOf(Control::Memo1), &view.PaneOf(Control::Memo)});
    TextPane& log = view.PaneOf(Control::Memo1);
    std::string text;
    for (int i = 0; i < 300; ++i) text += "<2024.12.27-06:13:00 line " + std::to_string(i) + "\r\n";
    view.SetText(Control::Memo1, text + ToCp1251("<2025.01.02-03:04:05 Ошибка связи\r\n"));
    view.SetText(Control::Memo, ToCp1251("{\"ёлка\": 1}"));
    log.setFocus();
    QTest::keyClick(&log, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(box.isVisible());
    box.what().insert(QString::fromUtf8("ОШИБКА"));
    QTest::keyClick(&box.what(), Qt::Key_Return);
    QCOMPARE(log.textCursor().selectedText(), QString::fromUtf8("Ошибка"));
    QVERIFY(log.verticalScrollBar()->value() > 0);
    QVERIFY(log.viewport()->rect().contains(log.cursorRect()));

    // Lines come in; the selection stays, and F3 finds in them.
    view.AddLine(Control::Memo1, ToCp1251("<2025.01.03-00:00:00 ошибка датчика"));
    QCOMPARE(log.textCursor().selectedText(), QString::fromUtf8("Ошибка"));
    QTest::keyClick(&log, Qt::Key_F3);
    QCOMPARE(log.textCursor().selectedText(), QString::fromUtf8("ошибка"));
    const int found_at = log.textCursor().selectionStart();
    QVERIFY(box.status().text().isEmpty());
    QTest::keyClick(&log, Qt::Key_F3);
    QCOMPARE(box.status().text(), QString("not found"));
    QCOMPARE(log.textCursor().selectionStart(), found_at);
    QCOMPARE(log.textCursor().selectedText(), QString::fromUtf8("ошибка"));

    // Up: the first one again. Matching case from the start: the second one.
    box.up().setChecked(true);
    QVERIFY(box.FindNext());
    QCOMPARE(log.textCursor().selectedText(), QString::fromUtf8("Ошибка"));
    box.down().setChecked(true);
    box.match_case().setChecked(true);
    box.what().setText(QString::fromUtf8("ошибка"));
    log.moveCursor(QTextCursor::Start);
    QVERIFY(box.FindNext());
    QCOMPARE(log.textCursor().selectionStart(), found_at);

    // Closed, then Ctrl+F in the configuration pane: the box finds there.
    box.hide();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    TextPane& config = view.PaneOf(Control::Memo);
    config.setFocus();
    QTest::keyClick(&config, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(box.isVisible());
    box.match_case().setChecked(false);
    box.what().setText(QString::fromUtf8("ЁЛКА"));
    QVERIFY(box.FindNext());
    QCOMPARE(config.textCursor().selectedText(), QString::fromUtf8("ёлка"));
  }

  void FindsWhileALogFillsThePane() {
    testing::SimWindow sim(600);
    QtView& view = sim.shell.view;
    QVERIFY(testing::ShowActive(view.WindowOf(Window::kForm1)));
    FindBox box(&view.WindowOf(Window::kForm1), {&view.PaneOf(Control::Memo1), &view.PaneOf(Control::Memo)});
    TextPane& log = view.PaneOf(Control::Memo1);
    sim.shell.Click(sim.form().Last500);
    int found_at = -1;
    int lines_then = 0;
    QTimer finder;
    QObject::connect(&finder, &QTimer::timeout, [&] {
      if (found_at >= 0 || testing::RequestsWritten(sim.form()) < 2 + 50) return;
      log.setFocus();
      QTest::keyClick(&log, Qt::Key_F, Qt::ControlModifier);
      box.what().setText(QString::fromUtf8("ДВЕРЬ"));
      if (box.FindNext()) found_at = log.textCursor().selectionStart();
      lines_then = log.document()->blockCount();
    });
    finder.start(1);
    sim.shell.Click(sim.form().ButContLog);
    finder.stop();
    QVERIFY(found_at >= 0);
    QVERIFY(lines_then < 500 && log.document()->blockCount() > 500);
    QCOMPARE(log.textCursor().selectionStart(), found_at);
    QCOMPARE(log.textCursor().selectedText(), QString::fromUtf8("дверь"));
  }
};

QTEST_MAIN(FindBoxTest)
#include "find_box_test.moc"
