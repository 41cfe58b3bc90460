// The real confirmation as the user answers it, over the main window wherever that
// stands. Its layout and Diag's are checked with the other windows (qt_view_test).
#include <QTimer>
#include <QtTest>

#include "app/qt/ok_bottom_dlg.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/qt_view.h"

using tarvex::TOKBottomDlg;

namespace {

// Answers the modal dialog once it is up; a watchdog closes it with an odd result
// so that a lost key press fails the test instead of hanging it.
void AnswerWith(TOKBottomDlg& dialog, Qt::Key key, QPoint* placed_at) {
  auto* poll = new QTimer(&dialog);
  QObject::connect(poll, &QTimer::timeout, &dialog, [&dialog, key, placed_at, poll] {
    if (!dialog.isVisible()) return;
    poll->deleteLater();
    *placed_at = dialog.pos();
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
  void EnterAnswersYesEscapeNoAndItSitsOverTheMainWindow() {
    tarvex::QtView view;
    QWidget& main = view.WindowOf(tarvex::Window::kForm1);
    main.move(300, 40);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    TOKBottomDlg& dialog = view.Confirmation();
    tarvex::QtDialogs dialogs("Tarvex");
    dialogs.SetConfirmationDialog(&dialog);

    QPoint placed;
    AnswerWith(dialog, Qt::Key_Return, &placed);
    QCOMPARE(dialogs.Confirm(), tarvex::Dialogs::kYes);
    const auto expected_at = [&] {
      return QPoint(main.frameGeometry().left() + main.frameGeometry().width() / 2 -
                        dialog.frameGeometry().width() / 2,
                    main.frameGeometry().top() + 5);
    };
    QCOMPARE(placed, expected_at());

    // Moved elsewhere, the main window takes the dialog along.
    main.move(20, 200);
    AnswerWith(dialog, Qt::Key_Escape, &placed);
    QCOMPARE(dialogs.Confirm(), tarvex::Dialogs::kNo);
    QCOMPARE(placed, expected_at());
  }
};

QTEST_MAIN(AuxWindowsTest)
#include "aux_windows_test.moc"
