// While "LOG" reads 500 records from the simulator, the window keeps handling clicks:
// every button that would start an exchange must do nothing (no second request on the
// port, no dialog, no change to the retrieval), while "Clear" and "Stop" still work.
#include <QtTest>

#include <functional>
#include <vector>

#include "app/pane_rule.h"
#include "app/qt/testing/pump_watch.h"
#include "app/qt/testing/sim_window.h"
#include "log/log_record.h"
#include "testing/counting_port.h"

using tarvex::TForm1;
using tarvex::testing::FileBytes;
using tarvex::testing::QtShell;
using tarvex::testing::RequestsWritten;
using tarvex::testing::SimWindow;

namespace {

constexpr int kRecords = 500;
constexpr std::size_t kLogRequest = 14;

// "LOG" of the last 500 records into a file, the port open and counted.
struct Retrieval {
  explicit Retrieval(SimWindow& sim) : shell(sim.shell), form(sim.form()) {
    shell.Click(form.OpenCom);
    auto counting = std::make_unique<tarvex::testing::CountingPort>(std::move(form.link.PortHandle));
    port = counting.get();
    form.link.PortHandle = std::move(counting);
    shell.Click(form.Last500);
    path = sim.ChooseFile("events.log");
  }

  QtShell& shell;
  TForm1& form;
  std::filesystem::path path;
  const tarvex::testing::CountingPort* port = nullptr;
};

struct Outcome {
  std::string pane;
  std::string file;
};

Outcome UndisturbedRun() {
  SimWindow sim(600);
  Retrieval run(sim);
  run.shell.Click(run.form.ButContLog);
  return {run.form.Memo1.Text(), FileBytes(run.path)};
}

// The log pane emptied by "Clear" and then given the lines of records [from, to) of
// a retrieval that began at `first`, by the pane's own rule.
std::string PaneAfterClear(SimWindow& sim, int first, int from, int to) {
  std::string pane;
  sim.server().WithModel([&](tarvex::sim::ControllerModel& model) {
    tarvex::LogRenderState state;
    for (int i = 0; i < to; ++i) {
      const auto record = tarvex::RenderLogRecord(model.event_log().At(static_cast<std::uint16_t>(first + i)), state);
      if (i >= from) pane += tarvex::AddedText(tarvex::EndsInLineBreak(pane), record.pane_text);
    }
  });
  return pane;
}

}  // namespace

class ReentrancyTest : public QObject {
  Q_OBJECT
 private slots:
  void CommandsClickedDuringLogDoNothing() {
    const Outcome undisturbed = UndisturbedRun();
    QVERIFY(undisturbed.file.starts_with("pointer = 600\r\n"));

    SimWindow sim(600);
    Retrieval run(sim);
    TForm1& f = run.form;
    // Created disabled, they would emit nothing: enabled, a click reaches the handler.
    for (const tarvex::Handle& button : {f.ButContRetro, f.Button3, f.Button4, f.Button5}) button.SetEnabled(true);
    // Were a guarded command let through, its dialogs would say yes and offer a file.
    sim.shell.dialogs.confirm_answers.assign(8, tarvex::Dialogs::kYes);
    const auto other_file = sim.shell.PathOf("other");
    for (int i = 0; i < 8; ++i) sim.shell.dialogs.file_answers.push_back(other_file);
    QtShell& shell = sim.shell;
    const auto log_clicks = [&] { shell.Click(f.ButContLog); };
    const std::vector<std::function<void()>> commands{
        [&] { shell.Click(f.ButContCount); },   // the second "LOG"
        [&] { shell.Click(f.ButKillLog); },     // "Clear log"
        [&] { shell.Click(f.Upl); },            // "Upload"
        [&] { shell.Click(f.Upl_test); },       // "Upload Test Config"
        [&] { shell.Click(f.Set_Test); },       // "Set test"
        [&] { shell.Click(f.BuReboot); },       // "Reboot"
        [&] { shell.Click(f.Button2); },        // "Start"
        [&] { shell.Click(f.Button9); },        // "REBOOT"
        [&] { shell.Click(f.Form2.Button2); },  // Diag's "REBOOT"
        [&] { shell.Click(f.ButContRetro); },   // "RETRO"
        [&] { shell.Click(f.ButBegRetro); },    // "Begin up retro"
        [&] { shell.Click(f.ButBegLog); },      // "Begin up log"
        [&] { shell.Click(f.Button3); },        // "Registration"
        [&] { shell.Click(f.Button4); },        // "Ident"
        [&] { shell.Click(f.Button5); },        // "Press"
        [&] { shell.Click(f.DownScr); },        // "Down script"
        [&] { shell.Click(f.ButtonUp); },       // "Up script"
        [&] { shell.Click(f.Down_testik); },    // "Clr script"
        [&] { shell.Click(f.Ope); },            // "Open cfg"
        [&f] { f.Run(&TForm1::TestClick); },
        [&f] { f.Run(&TForm1::Down_testClick); },
    };
    int clicks = 0;
    tarvex::testing::PumpWatch watch([&] {
      // Every other click is "LOG" again.
      if (clicks % 2 == 0) log_clicks();
      else commands[static_cast<std::size_t>(clicks / 2) % commands.size()]();
      ++clicks;
    });
    shell.Click(f.ButContLog);
    watch.Stop();
    qInfo("%d clicks during the retrieval (%d rounds of all %zu commands), %d pumps",
          clicks, clicks / 2 / static_cast<int>(commands.size()), commands.size(), watch.ticks);

    QVERIFY(clicks / 2 >= static_cast<int>(commands.size()));
    // Only the retrieval's own requests reached the port.
    QCOMPARE(run.port->written, kLogRequest * (2 + kRecords));
    QCOMPARE(RequestsWritten(f), 2 + kRecords);
    QCOMPARE(f.Memo1.Text(), undisturbed.pane);
    QCOMPARE(FileBytes(run.path), undisturbed.file);
    QVERIFY(f.Label2.Hidden() && f.Label5.Hidden());
    // No refused command asked, told or offered anything.
    QCOMPARE(sim.shell.dialogs.confirmations_asked, 0);
    QCOMPARE(sim.shell.dialogs.file_dialogs_shown.size(), std::size_t{1});
    QVERIFY(sim.shell.dialogs.messages.empty());
    QVERIFY(sim.shell.dialogs.errors.empty());
    QVERIFY(!f.ok.Hidden());
    QVERIFY(f.Memo.Text().empty());
    QVERIFY(!f.CommandRunning);

    // Once it is over, the next command runs again.
    shell.Click(f.ButContCount);
    QCOMPARE(f.Memo1.Text(), std::string("OK=600"));
    QCOMPARE(RequestsWritten(f), 2 + kRecords + 1);
  }

  void ClearAndStopWorkDuringLog() {
    SimWindow sim(600);
    Retrieval run(sim);
    TForm1& f = run.form;
    constexpr int kClearAt = 100;
    constexpr int kStopAt = 300;
    bool cleared = false;
    tarvex::testing::PumpWatch watch([&] {
      const int records = RequestsWritten(f) - 2;
      if (!cleared && records >= kClearAt) {
        run.shell.Click(f.Button6);
        cleared = true;
      }
      if (records >= kStopAt) run.shell.Click(f.Button8);
    });
    run.shell.Click(f.ButContLog);
    watch.Stop();

    // The record whose exchange or pump saw "Stop" is still read and written.
    const int records = RequestsWritten(f) - 2;
    QVERIFY2(records == kStopAt || records == kStopAt + 1, qPrintable(QString::number(records)));
    QCOMPARE(FileBytes(run.path), sim.ExpectedLogFile(600, 600 - kRecords, records));

    // The pane holds the lines of the records added since "Clear": from the one whose
    // exchange saw the click (index kClearAt - 1, its request being the kClearAt-th)
    // or a few later, the watch's timer being due only every millisecond, to the last.
    const std::string pane = f.Memo1.Text();
    int cleared_from = -1;
    for (int from = kClearAt - 1; from <= kClearAt + 10 && cleared_from < 0; ++from) {
      if (pane == PaneAfterClear(sim, 600 - kRecords, from, records)) cleared_from = from;
    }
    qInfo("cleared from record %d, stopped after %d", cleared_from, records);
    QVERIFY(cleared_from >= 0);
  }
};

QTEST_MAIN(ReentrancyTest)
#include "reentrancy_test.moc"
