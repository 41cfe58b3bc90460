// The window's repaints while a command runs: changes many times the paint rate cost a
// few repaints, and the last change is painted all the same.
#include <QElapsedTimer>
#include <QtTest>
#include <QWidget>

#include "app/qt/paint_pacer.h"

namespace {

class CountingWidget final : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

}  // namespace

class PaintPacerTest : public QObject {
  Q_OBJECT
 private slots:
  void BusyWindowRepaintsAtThePacedRateAndCatchesUp() {
    CountingWidget window;
    bool busy = false;
    new tarvex::PaintPacer(window, [&busy] { return busy; });
    window.resize(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.paints > 0);

    busy = true;
    const int before = window.paints;
    QElapsedTimer clock;
    clock.start();
    int changes = 0;
    while (clock.elapsed() < 200) {
      window.update();
      QCoreApplication::processEvents();
      ++changes;
    }
    const int paced = window.paints - before;
    QVERIFY2(changes > 100, qPrintable(QString::number(changes)));
    QVERIFY2(paced <= 200 / tarvex::kPaintInterval.count() + 2, qPrintable(QString::number(paced)));
    // The change held at the end is painted once its interval is over, with no other.
    QTRY_VERIFY_WITH_TIMEOUT(window.paints > before + paced, 200);

    busy = false;
    const int idle = window.paints;
    window.update();
    QCoreApplication::processEvents();
    QCOMPARE(window.paints, idle + 1);
  }
};

QTEST_MAIN(PaintPacerTest)
#include "paint_pacer_test.moc"
