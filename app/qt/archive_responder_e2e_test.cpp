// Through the real POSIX port against the simulator on pseudo-terminals: RETRO into a
// file checked against the archive the simulator holds, REBOOT opening the port on
// demand, and the responder answering the simulator's field-device polls.
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <unistd.h>

#include <atomic>
#include <bit>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "app/qt/testing/sim_window.h"
#include "sim/poll/field_polls.h"
#include "sim/poll/pty_poller.h"

using tarvex::testing::FileBytes;
using tarvex::testing::LinesOf;
using tarvex::testing::SimWindow;

namespace {

// The file line of a raw archive record moved `zone` hours ahead, worked out with the
// standard calendar (the records the simulator keeps are all dated and valid).
std::string ShiftedFileLine(const std::vector<std::uint8_t>& raw, int zone) {
  using namespace std::chrono;
  const sys_days date = year{2000 + raw[0]} / month{raw[1]} / day{raw[2]};
  const sys_seconds at = date + hours{raw[3] + zone} + minutes{raw[4]} + seconds{raw[5]};
  const sys_days shifted_date = floor<days>(at);
  const year_month_day ymd{shifted_date};
  const hh_mm_ss time{at - shifted_date};
  const float value = std::bit_cast<float>(static_cast<std::uint32_t>(
      raw[6] | raw[7] << 8 | raw[8] << 16 | static_cast<std::uint32_t>(raw[9]) << 24));
  char line[64];
  std::snprintf(line, sizeof line, "%4d:%02u:%02u %02d:%02d:%02d:  %6.3f\r\n", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                static_cast<int>(time.seconds().count()), static_cast<double>(value));
  return line;
}

std::string PollerLinkPath() {
  return (std::filesystem::temp_directory_path() / ("tarvex-app-poll-" + std::to_string(::getpid())) / "tty")
      .string();
}

}  // namespace

class ArchiveResponderE2eTest : public QObject {
  Q_OBJECT
 private slots:
  void RetroFileMatchesTheArchiveShiftedToThePcZone() {
    SimWindow sim(10);
    tarvex::TForm1& form = sim.form();
    // Z = 5: local 14 h, UTC 9 h; hourly records, so several cross midnight.
    sim.shell.wall_clock.now = {{14, 0, 0}, {9, 0, 0}};
    const auto path = sim.ChooseFile("archive.ret");
    form.Index.SetChecked(false);
    form.Last100.SetChecked(true);
    QVERIFY(form.OpenSelectedPort());
    form.ok.Show();

    form.ButContRetro.SetEnabled(true);
    sim.shell.Click(form.ButContRetro);

    std::int32_t pointer = 0;
    std::string expected;
    sim.server().WithModel([&](tarvex::sim::ControllerModel& model) {
      pointer = model.archive().pointer();
      for (int i = pointer - 100; i < pointer; ++i) {
        expected += ShiftedFileLine(model.archive().At(static_cast<std::uint16_t>(i)), 5);
      }
    });
    QVERIFY(pointer >= 100);
    QCOMPARE(FileBytes(path), expected);
    QVERIFY(expected.find(" 00:") != std::string::npos);  // a record moved past midnight
    const std::string pane = form.Memo1.Text();
    QVERIFY(pane.starts_with("OK=" + std::to_string(pointer) + "\r\n"));
    QCOMPARE(std::count(pane.begin(), pane.end(), '\n'), std::ptrdiff_t{100});
    QCOMPARE(form.Edi.Text(), std::to_string(pointer - 1));
    QVERIFY(sim.shell.dialogs.errors.empty());
  }

  void RebootOpensThePortOnDemand() {
    SimWindow sim(10);
    tarvex::TForm1& form = sim.form();
    QVERIFY(form.ok.Hidden());
    sim.shell.Click(form.Button9);
    QVERIFY(!form.ok.Hidden());
    QVERIFY(sim.shell.dialogs.messages.empty());
    // The request went out and the simulator's answer came back.
    QVERIFY(form.Label.Text().ends_with(" .  + "));
    QVERIFY(form.Label2.Hidden() && form.Label5.Hidden());
  }

  void ResponderAnswersTheSimulatorsPolls() {
    tarvex::sim::PollerOptions options;
    options.count = tarvex::sim::FieldPollRound().size();
    tarvex::sim::PtyPoller poller(PollerLinkPath(), options);
    poller.Open();
    tarvex::testing::QtShell shell(std::nullopt, &tarvex::RealClock());
    tarvex::TForm1& form = *shell.form;
    form.Edit1.SetText(poller.link_path());
    shell.Click(form.OpenCom);
    QVERIFY(!form.ok.Hidden());

    std::atomic<bool> done{false};
    tarvex::sim::PollReport report;
    std::ostringstream printed;
    std::thread polling([&] {
      if (poller.WaitForDevice(std::chrono::seconds(10))) report = poller.Run(printed);
      done = true;
    });
    // The loop runs until the window gives up its wait, once the polls are over (or
    // after 20 s, when something hangs).
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (elapsed.elapsed() > 20000) poller.Cancel();
      if (done) form.hooks.SetClosing();
    });
    watch.start(10);
    shell.Click(form.Button2);
    polling.join();
    form.link.Close();
    std::filesystem::remove_all(std::filesystem::path(PollerLinkPath()).parent_path());

    QVERIFY2(report.passed(), printed.str().c_str());
    QVERIFY(shell.dialogs.errors.empty());
    // The fixed PC time 10:15:20, no shift; function 10 adds its values (with the
    // window's decimal point, '.' here) and the PC time.
    const QStringList expected{
        "1>   min: 15sec:20", "2>   min: 15sec:20", "3>   min: 15sec:20", "4>   min: 15sec:20",
        QString::fromUtf8("4,нитка 2  22>   f: 1"), "4  26>   f: 2.5",
        "4  30>   f: -3.25", "--->   min: 15sec:20", "5>   min: 15sec:20",
        "6>   min: 15sec:20", "1>   min: 15sec:20", "0>   min: 15sec:20"};
    QCOMPARE(LinesOf(form.Memo), expected);
  }
};

QTEST_MAIN(ArchiveResponderE2eTest)
#include "archive_responder_e2e_test.moc"
