// "LOG" through the real POSIX port against the simulated controller on a
// pseudo-terminal: the file is checked byte for byte against the records it holds.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>


#include "app/testing/files.h"
#include "app/testing/sim_window.h"
#include "app/qt/text_pane.h"

using tarvex::testing::FileBytes;
using tarvex::testing::SimWindow;

namespace {

// Requests written so far: the link marks each with " . " in the progress label.
int RequestsWritten(tarvex::TForm1& form) { return static_cast<int>(form.Label->text().count(" . ")); }

QString ChooseFile(SimWindow& sim) {
  sim.form().chFile->setChecked(true);
  const QString path = sim.shell.dir.filePath("events.log");
  sim.shell.dialogs.file_answers.push_back(path);
  return path;
}

}  // namespace

class LogRetrievalE2eTest : public QObject {
  Q_OBJECT
 private slots:
  void WholeRingIntoTheFile() {
    // 2300 records written: the ring is full and its pointer stands at 300.
    SimWindow sim(2300);
    const QString path = ChooseFile(sim);
    sim.form().Beg->setText("2000");
    QElapsedTimer timer;
    timer.start();
    sim.form().ButContLog->click();
    qInfo("2000 records in %lld ms", static_cast<long long>(timer.elapsed()));
    QVERIFY(sim.shell.dialogs.messages.isEmpty());
    QVERIFY(!sim.form().ok->isHidden());
    QVERIFY(sim.form().Label2->isHidden() && sim.form().Label5->isHidden());
    QCOMPARE(RequestsWritten(sim.form()), 2 + 2000);
    const std::string file = FileBytes(path);
    QVERIFY(file == sim.ExpectedLogFile(300, 300 - 2000, 2000));
    QVERIFY(sim.form().Memo1->Text().starts_with("OK=300\r\npointer = 300\r\n"));
  }

  void StopInTheMiddleKeepsCompleteLines() {
    SimWindow sim(600);
    const QString path = ChooseFile(sim);
    sim.form().Last500->click();
    constexpr int kStopAt = 100;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
      if (RequestsWritten(sim.form()) >= 2 + kStopAt) sim.form().Button8->click();
    });
    stopper.start(1);
    sim.form().ButContLog->click();
    stopper.stop();
    // The record whose exchange or pump saw the click is still read and written.
    const int records = RequestsWritten(sim.form()) - 2;
    QVERIFY2(records == kStopAt || records == kStopAt + 1, qPrintable(QString::number(records)));
    QVERIFY(FileBytes(path) == sim.ExpectedLogFile(600, 100, records));
    QVERIFY(sim.form().Label2->isHidden() && sim.form().Label5->isHidden());
  }

  void SpoiledReplyAtTheFifthRecordEndsWithNotOk() {
    SimWindow sim(600);
    sim.server().WithModel([](tarvex::sim::ControllerModel& model) {
      model.AddFault(tarvex::sim::ParseFault("long:26:bad-packet-crc:after=4:count=1"));
    });
    const QString path = ChooseFile(sim);
    sim.form().ButContLog->click();
    QCOMPARE(RequestsWritten(sim.form()), 2 + 5);
    QVERIFY(sim.form().Label2->isHidden() && !sim.form().Label5->isHidden());
    QVERIFY(FileBytes(path) == sim.ExpectedLogFile(600, 570, 4));
  }
};

QTEST_MAIN(LogRetrievalE2eTest)
#include "log_retrieval_e2e_test.moc"
