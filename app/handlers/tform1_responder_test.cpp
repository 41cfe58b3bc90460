// The responder loop behind "Start": answers written to the port, trace lines in the
// lower pane, edit boxes read for every request, the ways the loop ends, and the
// commands that run while it waits for a poll.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/testing/model_port_rig.h"
#include "app/testing/shell.h"
#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

using testing::FakePort;
using testing::PaneLines;
using testing::Shell;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

// A line whose peer never answers: the test injects the controller's polls.
FakePort* QuietPort(Shell& shell) {
  auto port = std::make_unique<FakePort>(shell.clock, [](const Bytes&) { return std::vector<testing::Chunk>{}; });
  FakePort* raw = port.get();
  shell.form->link.PortHandle = std::move(port);
  shell.form->ok.Show();
  return raw;
}

Bytes Poll(std::uint8_t address, std::uint8_t function) {
  Bytes request(36, 0);
  request[0] = 0xAA;
  request[1] = address;
  request[3] = function;
  return request;
}

// Runs the steps one after the other while the loop pumps messages; a step returns
// false until it is done. The pumps of a command that a step runs do not start the
// next step. A loop that has not finished them within 10 s on the fake clock is
// abandoned.
class Script {
 public:
  Script(Shell& shell, std::vector<std::function<bool()>> steps) : shell_(shell), steps_(std::move(steps)) {
    const auto deadline = shell.clock.Now() + std::chrono::seconds(10);
    shell.view.on_pump = [this, deadline] {
      if (shell_.clock.Now() > deadline) shell_.form->hooks.SetClosing();
      if (in_step_ || finished()) return;
      in_step_ = true;
      if (steps_[next_]()) ++next_;
      in_step_ = false;
    };
  }
  ~Script() { shell_.view.on_pump = nullptr; }
  Script(const Script&) = delete;
  Script& operator=(const Script&) = delete;

  bool finished() const { return next_ == steps_.size(); }

 private:
  Shell& shell_;
  std::vector<std::function<bool()>> steps_;
  std::size_t next_ = 0;
  bool in_step_ = false;
};

void Close(TForm1& form) { form.CloseRequested(Window::kForm1); }

TEST(TForm1Responder, AnswersPollsWithTheBoxesAsTheyAreAtEachRequest) {
  Shell shell;
  TForm1& form = *shell.form;
  FakePort* port = QuietPort(shell);
  form.add1.SetText("90");
  form.add2.SetText("-30");
  form.day.SetText("300");
  Bytes report = Poll(3, 10);
  report[4] = 2;
  for (std::size_t offset : {22u, 26u, 30u}) report[offset] = 0x3F, report[offset + 1] = 0x80;

  const auto written = [&](std::size_t n) { return port->writes.size() >= n; };
  Script script(shell, {
      [&] { port->Inject(Poll(1, 1)); return true; },
      [&] {
        if (!written(1)) return false;
        // Takes effect at the next request, typed while the loop waits.
        form.add1.SetText("0");
        port->Inject(Poll(1, 1));
        return true;
      },
      [&] {
        if (!written(2)) return false;
        port->Inject(Poll(3, 1));
        return true;
      },
      [&] {
        if (!written(3)) return false;
        port->Inject(report);
        return true;
      },
      [&] {
        if (!written(4)) return false;
        Close(form);
        return true;
      },
  });
  shell.Click(form.Button2);

  EXPECT_TRUE(script.finished());
  EXPECT_EQ(shell.exit_codes, std::vector<int>{0});
  EXPECT_FALSE(form.CommandRunning);
  ASSERT_EQ(port->writes.size(), 4u);
  const auto clock_of = [&](std::size_t i) {
    const Bytes& answer = port->writes[i];
    return std::vector<int>{answer[1], answer[57], answer[59], answer[60], answer[61]};
  };
  EXPECT_EQ(port->writes[0].size(), 165u);
  EXPECT_EQ(clock_of(0), (std::vector<int>{1, 44, 10, 16, 50}));
  EXPECT_EQ(clock_of(1), (std::vector<int>{1, 44, 10, 15, 20}));
  EXPECT_EQ(clock_of(2), (std::vector<int>{3, 44, 10, 14, 50}));
  EXPECT_EQ(port->writes[3], (Bytes{0x55, 0x03, 0x06, 0x83, 0xA3, 0xE9}));
  EXPECT_EQ(PaneLines(form.Memo), (Lines{"1>   min: 16sec:50", "1>   min: 15sec:20", "3>   min: 14sec:50",
                                         "3>   min: 14sec:50", Cp1251FromUtf8("3,нитка 2  22>   f: 1"),
                                         "3  26>   f: 1", "3  30>   f: 1", "--->   min: 15sec:20"}));
}

TEST(TForm1Responder, CommandsRunWhileTheLoopWaitsButNotASecondStart) {
  testing::ModelPortRig rig;
  TForm1& form = rig.form();
  const auto traced = [&form](std::size_t lines) { return PaneLines(form.Memo).size() >= lines; };
  bool second_start_returned = false;
  Script script(rig.shell, {
      [&] { rig.port().Inject(Poll(1, 1)); return true; },
      [&] {
        // The poll is answered and traced: the loop waits for the next one.
        if (!traced(1)) return false;
        // The count query runs, and a second "Start" is refused (its own loop
        // would not return before the window closes). The wait starts afresh.
        rig.shell.Click(form.ButContCount);
        rig.shell.Click(form.Button2);
        second_start_returned = true;
        rig.port().Inject(Poll(2, 1));
        return true;
      },
      [&] {
        if (!traced(2)) return false;
        rig.port().Inject({0xAA, 0x03});
        return true;
      },
      // A query while those bytes are being read purges the line and reuses the
      // frame: what was read is dropped, not answered as a request.
      [&] { rig.shell.Click(form.ButContCount); return true; },
      [&] { Close(form); return true; },
  });
  rig.shell.Click(form.Button2);

  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(second_start_returned);
  EXPECT_FALSE(form.CommandRunning);
  // Answers and queries in turn; the query reached the controller and its answer
  // reached the pane.
  ASSERT_EQ(rig.writes().size(), 4u);
  for (std::size_t i : {0u, 2u}) EXPECT_EQ(rig.writes()[i].size(), 165u);
  for (std::size_t i : {1u, 3u}) EXPECT_EQ(rig.writes()[i][6], 28);
  EXPECT_EQ(form.Memo1.Text(), "OK=300");
  EXPECT_TRUE(rig.OkShown());
  EXPECT_EQ(PaneLines(form.Memo), (Lines{"1>   min: 15sec:20", "2>   min: 15sec:20"}));
}

TEST(TForm1Responder, ConversionErrorEndsTheLoop) {
  const struct {
    const char* day;
    const char* add1;
    const char* error;
  } cases[] = {
      {"x", "0", "'x' is not a valid integer value"},
      {"28", "3600", "Invalid argument to time encode"},
  };
  for (const auto& [day, add1, error] : cases) {
    Shell shell;
    FakePort* port = QuietPort(shell);
    shell.form->day.SetText(day);
    shell.form->add1.SetText(add1);
    Script script(shell, {[&] { port->Inject(Poll(1, 1)); return true; }});
    shell.Click(shell.form->Button2);

    EXPECT_EQ(shell.dialogs.errors, Lines{error});
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(shell.form->Memo.Text(), "");
    EXPECT_FALSE(shell.form->CommandRunning);
  }
}

}  // namespace
}  // namespace tarvex
