// "LOG" through the real POSIX port against the simulated controller on a
// pseudo-terminal: the file is checked byte for byte against the records it holds.
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include "app/qt/testing/sim_window.h"
#include "sim/model/fault.h"

using tarvex::testing::FileBytes;
using tarvex::testing::RequestsWritten;
using tarvex::testing::SimWindow;

class LogRetrievalE2eTest : public QObject {
  Q_OBJECT
 private slots:
  void WholeRingIntoTheFile() {
    // 2300 records written: the ring is full and its pointer stands at 300.
    SimWindow sim(2300);
    const auto path = sim.ChooseFile("events.log");
    sim.form().Beg.SetText("2000");
    QElapsedTimer timer;
    timer.start();
    sim.shell.Click(sim.form().ButContLog);
    qInfo("2000 records in %lld ms", static_cast<long long>(timer.elapsed()));
    QVERIFY(sim.shell.dialogs.messages.empty());
    QVERIFY(!sim.form().ok.Hidden());
    QVERIFY(sim.form().Label2.Hidden() && sim.form().Label5.Hidden());
    QCOMPARE(RequestsWritten(sim.form()), 2 + 2000);
    QVERIFY(FileBytes(path) == sim.ExpectedLogFile(300, 300 - 2000, 2000));
    QVERIFY(sim.form().Memo1.Text().starts_with("OK=300\r\npointer = 300\r\n"));
  }

  void OverTcpTheFileIsTheOneOfThePseudoTerminal() {
    SimWindow sim(tarvex::sim::ModelOptions{.event_records = 600}, 0, &tarvex::RealClock(), "127.0.0.1:0");
    QVERIFY(sim.form().Edit1.Text().starts_with("tcp://127.0.0.1:"));
    const auto path = sim.ChooseFile("events.log");
    sim.shell.Click(sim.form().Last500);
    sim.shell.Click(sim.form().ButContLog);
    QVERIFY(sim.shell.dialogs.messages.empty());
    QVERIFY(sim.form().Label2.Hidden() && sim.form().Label5.Hidden());
    QVERIFY(FileBytes(path) == sim.ExpectedLogFile(600, 100, 500));
  }

  void StopInTheMiddleKeepsCompleteLines() {
    SimWindow sim(600);
    const auto path = sim.ChooseFile("events.log");
    sim.shell.Click(sim.form().Last500);
    constexpr int kStopAt = 100;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
      if (RequestsWritten(sim.form()) >= 2 + kStopAt) sim.shell.Click(sim.form().Button8);
    });
    stopper.start(1);
    sim.shell.Click(sim.form().ButContLog);
    stopper.stop();
    // The record whose exchange or pump saw the click is still read and written.
    const int records = RequestsWritten(sim.form()) - 2;
    QVERIFY2(records == kStopAt || records == kStopAt + 1, qPrintable(QString::number(records)));
    QVERIFY(FileBytes(path) == sim.ExpectedLogFile(600, 100, records));
    QVERIFY(sim.form().Label2.Hidden() && sim.form().Label5.Hidden());
  }

  void SpoiledReplyAtTheFifthRecordEndsWithNotOk() {
    SimWindow sim(600);
    sim.server().WithModel([](tarvex::sim::ControllerModel& model) {
      model.AddFault(tarvex::sim::ParseFault("long:26:bad-packet-crc:after=4:count=1"));
    });
    const auto path = sim.ChooseFile("events.log");
    sim.shell.Click(sim.form().ButContLog);
    QCOMPARE(RequestsWritten(sim.form()), 2 + 5);
    QVERIFY(sim.form().Label2.Hidden() && !sim.form().Label5.Hidden());
    QVERIFY(FileBytes(path) == sim.ExpectedLogFile(600, 570, 4));
  }
};

QTEST_MAIN(LogRetrievalE2eTest)
#include "log_retrieval_e2e_test.moc"
