// The adapter pulled out in the middle of "LOG": the window reports the failure at
// once instead of waiting out the first-byte time of a silent line, keeps handling its
// messages, keeps the lines read before, and works again once the device is back.
// Real clock: the point is how long the window takes.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>

#include "app/testing/files.h"
#include "app/testing/pump_watch.h"
#include "app/testing/sim_window.h"
#include "app/qt/text_pane.h"
#include "sim/model/fault.h"

using tarvex::TForm1;
using tarvex::testing::FileBytes;
using tarvex::testing::SimWindow;

namespace {

constexpr int kPointer = 600;
constexpr int kRecords = 10;

int RequestsWritten(TForm1& form) { return static_cast<int>(form.Label->text().count(" . ")); }

QString ChooseFile(SimWindow& sim, const char* name) {
  sim.form().chFile->setChecked(true);
  const QString path = sim.shell.dir.filePath(name);
  sim.shell.dialogs.file_answers.push_back(path);
  return path;
}

// Runs "LOG" and checks that the window reported the lost device well within the
// first-byte wait of a silent line (about 13 s) and kept pumping meanwhile.
void RunLogThroughTheLoss(TForm1& form, const std::function<void()>& on_pump = {}) {
  QElapsedTimer elapsed;
  elapsed.start();
  tarvex::testing::PumpWatch watch(on_pump);
  form.ButContLog->click();
  watch.Stop();
  const qint64 ms = elapsed.elapsed();
  qInfo("LOG over a lost device: %lld ms, longest pause in message handling %lld ms",
        static_cast<long long>(ms), static_cast<long long>(watch.longest_gap_ms));
  QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
  QVERIFY(watch.longest_gap_ms < 500);
  QVERIFY(!form.Label5->isHidden() && form.Label2->isHidden());
}

// Waits (bounded) until the simulator's link names a device again.
bool DeviceBack(SimWindow& sim) {
  const std::filesystem::path link(sim.server().link_path());
  for (int i = 0; i < 200 && !std::filesystem::exists(link); ++i) QTest::qWait(10);
  return std::filesystem::exists(link);
}

// "Open" on the device that came back, then a whole "LOG" into a new file.
void OpenAndReadAgain(SimWindow& sim) {
  TForm1& form = sim.form();
  QVERIFY(DeviceBack(sim));
  form.OpenCom->click();
  QVERIFY(!form.ok->isHidden());
  QVERIFY(sim.shell.dialogs.messages.isEmpty());
  const QString path = ChooseFile(sim, "again.log");
  form.Label->setText("");
  form.ButContLog->click();
  QCOMPARE(RequestsWritten(form), 2 + kRecords);
  QVERIFY(form.Label2->isHidden() && form.Label5->isHidden());
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
    sim.form().Last10->click();
    const QString path = ChooseFile(sim, "events.log");
    RunLogThroughTheLoss(sim.form());
    QCOMPARE(RequestsWritten(sim.form()), 2 + 5);
    QCOMPARE(FileBytes(path), sim.ExpectedLogFile(kPointer, kPointer - kRecords, 4));
    OpenAndReadAgain(sim);
  }

  void SimulatorGoneMidRetrieval() {
    SimWindow sim(kPointer);
    sim.form().Last10->click();
    const QString path = ChooseFile(sim, "events.log");
    bool stopped = false;
    RunLogThroughTheLoss(sim.form(), [&] {
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
