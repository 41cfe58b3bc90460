// The adapter pulled out in the middle of "LOG": the window reports the failure at
// once instead of waiting out the first-byte time of a silent line, keeps handling its
// messages, keeps the lines read before, and works again once the device is back.
// Real clock: the point is how long the window takes.
#include <QElapsedTimer>
#include <QtTest>

#include <filesystem>
#include <functional>

#include "app/qt/testing/pump_watch.h"
#include "app/qt/testing/sim_window.h"
#include "sim/model/fault.h"

using tarvex::TForm1;
using tarvex::testing::FileBytes;
using tarvex::testing::RequestsWritten;
using tarvex::testing::SimWindow;

namespace {

constexpr int kPointer = 600;
constexpr int kRecords = 10;

// Runs "LOG" and checks that the window reported the lost device well within the
// first-byte wait of a silent line (about 13 s) and kept pumping meanwhile.
void RunLogThroughTheLoss(SimWindow& sim, const std::function<void()>& on_pump = {}) {
  TForm1& form = sim.form();
  QElapsedTimer elapsed;
  elapsed.start();
  tarvex::testing::PumpWatch watch(on_pump);
  sim.shell.Click(form.ButContLog);
  watch.Stop();
  const qint64 ms = elapsed.elapsed();
  qInfo("LOG over a lost device: %lld ms, longest pause in message handling %lld ms",
        static_cast<long long>(ms), static_cast<long long>(watch.longest_gap_ms));
  QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
  QVERIFY(watch.longest_gap_ms < 500);
  QVERIFY(!form.Label5.Hidden() && form.Label2.Hidden());
}

// Waits (bounded) until the simulator's link names a device again.
bool DeviceBack(SimWindow& sim) {
  const std::filesystem::path link(sim.server().link_path());
  return QTest::qWaitFor([&] { return std::filesystem::exists(link); }, 2000);
}

// "Open" on the device that came back, then a whole "LOG" into a new file.
void OpenAndReadAgain(SimWindow& sim) {
  TForm1& form = sim.form();
  QVERIFY(DeviceBack(sim));
  sim.shell.Click(form.OpenCom);
  QVERIFY(!form.ok.Hidden());
  QVERIFY(sim.shell.dialogs.messages.empty());
  const auto path = sim.ChooseFile("again.log");
  form.Label.Clear();
  sim.shell.Click(form.ButContLog);
  QCOMPARE(RequestsWritten(form), 2 + kRecords);
  QVERIFY(form.Label2.Hidden() && form.Label5.Hidden());
  QCOMPARE(FileBytes(path), sim.ExpectedLogFile(kPointer, kPointer - kRecords, kRecords));
}

}  // namespace

class UnplugTest : public QObject {
  Q_OBJECT
 private slots:
  void LineHungUpAtTheFifthRecord() {
    SimWindow sim(kPointer);
    sim.server().WithModel([](tarvex::sim::ControllerModel& model) {
      model.AddFault(tarvex::sim::ParseFault("long:26:hangup=300:after=4:count=1"));
    });
    sim.shell.Click(sim.form().Last10);
    const auto path = sim.ChooseFile("events.log");
    RunLogThroughTheLoss(sim);
    QCOMPARE(RequestsWritten(sim.form()), 2 + 5);
    QCOMPARE(FileBytes(path), sim.ExpectedLogFile(kPointer, kPointer - kRecords, 4));
    OpenAndReadAgain(sim);
  }

  void SimulatorGoneMidRetrieval() {
    SimWindow sim(kPointer);
    sim.shell.Click(sim.form().Last10);
    const auto path = sim.ChooseFile("events.log");
    bool stopped = false;
    RunLogThroughTheLoss(sim, [&] {
      if (!stopped && RequestsWritten(sim.form()) >= 2 + 4) {
        sim.server().Stop();
        stopped = true;
      }
    });
    QVERIFY(stopped);
    // The lines of the records read before the device went, each one whole.
    const int read = RequestsWritten(sim.form()) - 2 - 1;
    QVERIFY(read >= 3 && read <= 4);
    QCOMPARE(FileBytes(path), sim.ExpectedLogFile(kPointer, kPointer - kRecords, read));

    sim.server().Start();
    OpenAndReadAgain(sim);
  }
};

QTEST_MAIN(UnplugTest)
#include "unplug_test.moc"
