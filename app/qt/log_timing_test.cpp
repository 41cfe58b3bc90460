// Speed of "LOG" through the window against the simulator: paced at the baud rate the
// retrieval must stay near the wire time of the bytes exchanged while the window keeps
// handling its messages; replying at once, the window's own work per record must stay
// small, and the same from one retrieval to the next.
#include <QElapsedTimer>
#include <QtTest>
#include <chrono>
#include <time.h>

#include "app/qt/testing/pump_watch.h"
#include "app/qt/testing/sim_window.h"
#include "link/link.h"
#include "testing/counting_port.h"

using tarvex::testing::SimWindow;

namespace {

// CPU time of the calling thread, the window's: the simulator serves on its own.
double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

class LogTimingTest : public QObject {
  Q_OBJECT
 private slots:
  void FiveHundredRecordsNearTheWireTime_data() {
    QTest::addColumn<int>("baud");
    QTest::addRow("38400") << 38400;
    QTest::addRow("115200") << 115200;
  }

  void FiveHundredRecordsNearTheWireTime() {
    QFETCH(int, baud);
    SimWindow sim(600, baud);
    sim.shell.view.WindowOf(tarvex::Window::kForm1).show();
    sim.form().Boud.SetText(std::to_string(baud));
    sim.shell.Click(sim.form().OpenCom);
    QVERIFY(!sim.form().ok.Hidden());
    auto& port = sim.form().link.PortHandle;
    auto counting = std::make_unique<tarvex::testing::CountingPort>(std::move(port));
    const auto* counted = counting.get();
    port = std::move(counting);
    sim.shell.Click(sim.form().Last500);

    QElapsedTimer clock;
    tarvex::testing::PumpWatch watch;
    clock.start();
    sim.shell.Click(sim.form().ButContLog);
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    watch.Stop();

    QCOMPARE(counted->written, std::size_t{14 * (2 + 500)});
    QVERIFY(sim.form().Label5.Hidden());
    const double wire = static_cast<double>(counted->written + counted->read) * 10.0 / baud;
    const double ratio = seconds / wire;
    // Before each request the line keeps the inter-frame silence after the reply before.
    const double silences =
        (2 + 500) * std::chrono::duration<double>(tarvex::Link::InterFrameGap(baud)).count();
    qInfo("500 records at %d baud: %.3f s, wire time %.3f s (%zu bytes out, %zu in), ratio %.3f, "
          "ratio to the wire time with the inter-frame silences %.3f, longest gap between message "
          "pumps %lld ms",
          baud, seconds, wire, counted->written, counted->read, ratio, seconds / (wire + silences),
          watch.longest_gap_ms);
    QVERIFY2(ratio <= 1.3, qPrintable(QString("ratio %1").arg(ratio)));
    QVERIFY2(watch.longest_gap_ms <= 20, qPrintable(QString("gap %1 ms").arg(watch.longest_gap_ms)));
  }

  void FiveRetrievalsOf2000CostLittleCpuEach() {
    constexpr int kRecords = 2000;
    constexpr int kRuns = 5;
    SimWindow sim(2300);
    sim.shell.view.WindowOf(tarvex::Window::kForm1).show();
    sim.shell.Click(sim.form().OpenCom);
    QVERIFY(!sim.form().ok.Hidden());
    sim.form().Beg.SetText(std::to_string(kRecords));
    double total = 0;
    double first = 0;
    double last = 0;
    for (int run = 0; run < kRuns; ++run) {
      sim.ChooseFile("events.log");
      const double start = ThreadCpuSeconds();
      sim.shell.Click(sim.form().ButContLog);
      const double ms_per_record = (ThreadCpuSeconds() - start) * 1000.0 / kRecords;
      QVERIFY(sim.form().Label5.Hidden());
      qInfo("run %d: %.3f ms of CPU per record", run + 1, ms_per_record);
      total += ms_per_record;
      if (run == 0) first = ms_per_record;
      last = ms_per_record;
    }
    const double mean = total / kRuns;
    qInfo("cpu_ms_per_record %.3f", mean);
    QVERIFY2(mean <= 0.75, qPrintable(QString("cpu_ms_per_record %1").arg(mean)));
    // A pane that costs more as it fills shows as a later run costing more.
    QVERIFY2(last <= 2 * first + 0.1, qPrintable(QString("first %1, last %2 ms").arg(first).arg(last)));
  }
};

QTEST_MAIN(LogTimingTest)
#include "log_timing_test.moc"
