// Speed of "LOG" through the window against the simulator paced at 38400 baud: the
// retrieval must stay near the wire time of the bytes exchanged, and the window must
// keep handling its messages while it runs.
#include <QElapsedTimer>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <algorithm>

#include "app/testing/sim_window.h"
#include "testing/counting_port.h"

using tarvex::testing::SimWindow;

class LogTimingTest : public QObject {
  Q_OBJECT
 private slots:
  void FiveHundredRecordsNearTheWireTime() {
    constexpr std::int32_t kBaud = 38400;
    SimWindow sim(600, kBaud);
    sim.form().OpenCom->click();
    QVERIFY(!sim.form().ok->isHidden());
    auto& port = sim.form().link.PortHandle;
    auto counting = std::make_unique<tarvex::testing::CountingPort>(std::move(port));
    const auto* counted = counting.get();
    port = std::move(counting);
    sim.form().Last500->click();

    // A timer due every millisecond fires at every message pump: the longest time
    // between two firings is the longest time the window went without pumping.
    QElapsedTimer clock;
    qint64 last_tick = 0;
    qint64 longest_gap = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      longest_gap = std::max(longest_gap, now - last_tick);
      last_tick = now;
    });
    tick.start(1);
    clock.start();
    sim.form().ButContLog->click();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    tick.stop();

    QCOMPARE(counted->written, std::size_t{14 * (2 + 500)});
    QVERIFY(sim.form().Label5->isHidden());
    const double wire = static_cast<double>(counted->written + counted->read) * 10.0 / kBaud;
    const double ratio = seconds / wire;
    const double gap_ms = static_cast<double>(longest_gap) / 1e6;
    qInfo("500 records: %.3f s, wire time %.3f s (%zu bytes out, %zu in), ratio %.3f, "
          "longest gap between message pumps %.1f ms",
          seconds, wire, counted->written, counted->read, ratio, gap_ms);
    QVERIFY2(ratio <= 1.3, qPrintable(QString("ratio %1").arg(ratio)));
    QVERIFY2(gap_ms <= 20.0, qPrintable(QString("gap %1 ms").arg(gap_ms)));
  }
};

QTEST_MAIN(LogTimingTest)
#include "log_timing_test.moc"
