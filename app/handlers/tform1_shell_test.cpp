// Start-up and shut-down, port selection, status labels, panes, Stop and Diag.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/handlers/command_guard.h"
#include "app/testing/model_port_rig.h"
#include "app/testing/shell.h"
#include "basics/cp1251_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {

using testing::FileBytes;
using testing::Shell;
using Texts = std::vector<std::string>;

const std::string kNoPort = Cp1251FromUtf8("   COM порт ???");

void CloseMainWindow(Shell& shell) { shell.form->CloseRequested(Window::kForm1); }

TEST(TForm1Shell, FirstRunUsesDefaultsAndCloseWritesThem) {
  Shell shell;
  EXPECT_EQ(shell.form->Edit1.Text(), "7");
  EXPECT_EQ(shell.form->Boud.Text(), "38400");
  EXPECT_FALSE(std::filesystem::exists(shell.SettingsPath()));
  CloseMainWindow(shell);
  EXPECT_EQ(shell.exit_codes, std::vector<int>{0});
  EXPECT_EQ(FileBytes(shell.SettingsPath()), "[log]\r\nport=7\r\nbaud=38400\r\n");
  EXPECT_TRUE(shell.dialogs.errors.empty());
}

TEST(TForm1Shell, ReadsAWindowsWrittenFileAndKeepsItsOtherContent) {
  Shell shell("[Tools]\r\nx=1\r\n\r\n[LOG]\r\nPort = 12 \r\nBAUD=9600\r\n");
  EXPECT_EQ(shell.form->Edit1.Text(), "12");
  EXPECT_EQ(shell.form->Boud.Text(), "9600");
  shell.form->Edit1.SetText(Cp1251FromUtf8("ком3"));
  CloseMainWindow(shell);
  EXPECT_EQ(shell.exit_codes, std::vector<int>{0});
  EXPECT_EQ(FileBytes(shell.SettingsPath()),
            "[Tools]\r\nx=1\r\n\r\n[LOG]\r\nport=\xEA\xEE\xEC"
            "3\r\nbaud=9600\r\n");
}

TEST(TForm1Shell, MissingKeysComeFromTheDefaultsFileThenTheBuiltInOnes) {
  Shell shell("[log]\r\nbaud=115200\r\n");
  EXPECT_EQ(shell.form->Edit1.Text(), "7");
  EXPECT_EQ(shell.form->Boud.Text(), "115200");
  // An installed window: the user's file over the one beside the executable, which
  // is never written.
  const std::string defaults = "[log]\r\nport=ttyUSB1\r\nbaud=9600\r\n";
  testing::PutFile(shell.DefaultsPath(), defaults);
  shell.form->FormCreate();
  EXPECT_EQ(shell.form->Edit1.Text(), "ttyUSB1");
  EXPECT_EQ(shell.form->Boud.Text(), "115200");
  CloseMainWindow(shell);
  EXPECT_EQ(FileBytes(shell.SettingsPath()), "[log]\r\nbaud=115200\r\nport=ttyUSB1\r\n");
  EXPECT_EQ(FileBytes(shell.DefaultsPath()), defaults);
}

TEST(TForm1Shell, UnwritableSettingsKeepTheWindowOpen) {
  Shell shell;
  // A directory in the file's place cannot be written, even by root.
  ASSERT_TRUE(std::filesystem::create_directory(shell.SettingsPath()));
  CloseMainWindow(shell);
  EXPECT_EQ(shell.dialogs.errors, Texts{"Unable to write to " + Cp1251FromPath(shell.SettingsPath())});
  EXPECT_TRUE(shell.exit_codes.empty());
}

TEST(TForm1Shell, CloseDuringAnExchangeEndsTheProcess) {
  Shell shell;
  bool closed = false;
  bool in_exchange_at_exit = false;
  // The close arrives while the link pumps messages inside its wait for a reply.
  shell.view.on_pump = [&] {
    if (closed) return;
    closed = true;
    CloseMainWindow(shell);
    in_exchange_at_exit = shell.form->link.InExchange();
  };
  shell.form->link.ExchangeWordCommand(28);
  EXPECT_EQ(shell.exit_codes, std::vector<int>{0});
  EXPECT_TRUE(in_exchange_at_exit);
  EXPECT_TRUE(std::filesystem::exists(shell.SettingsPath()));
}

TEST(TForm1Shell, OpenFailuresAndNonIntegerBaud) {
  Shell shell;
  TForm1& f = *shell.form;
  f.Edit1.Clear();
  shell.Click(f.OpenCom);
  EXPECT_EQ(shell.dialogs.messages, Texts{kNoPort});
  EXPECT_TRUE(f.ok.Hidden());
  EXPECT_FALSE(f.link.PortHandle);

  shell.dialogs.messages.clear();
  f.Edit1.SetText("/nonexistent/tty");
  f.Boud.SetText("38 400");
  shell.Click(f.OpenCom);
  EXPECT_EQ(shell.dialogs.errors, Texts{"'38 400' is not a valid integer value"});
  EXPECT_TRUE(shell.dialogs.messages.empty());
  EXPECT_TRUE(f.ok.Hidden());
}

TEST(TForm1Shell, CloseWithoutAPortDoesNothing) {
  Shell shell;
  shell.Click(shell.form->Button7);
  EXPECT_TRUE(shell.dialogs.messages.empty());
  EXPECT_TRUE(shell.dialogs.errors.empty());
  EXPECT_TRUE(shell.form->ok.Hidden());
}

#ifndef _WIN32
// A pseudo-terminal whose slave side the window opens as its port.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) slave_path_ = ::ptsname(master_);
  }
  ~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  const std::string& SlavePath() const { return slave_path_; }

 private:
  int master_ = -1;
  std::string slave_path_;
};

TEST(TForm1Shell, OpenAndCloseAPseudoTerminal) {
  PseudoTerminal pty;
  ASSERT_FALSE(pty.SlavePath().empty());
  Shell shell;
  TForm1& f = *shell.form;
  f.Edit1.SetText(pty.SlavePath());
  shell.Click(f.OpenCom);
  EXPECT_TRUE(shell.dialogs.messages.empty());
  EXPECT_FALSE(f.ok.Hidden());
  EXPECT_TRUE(f.link.PortHandle);

  // The device is held exclusively: the second "Open" only succeeds because it
  // closes the port first.
  shell.Click(f.OpenCom);
  EXPECT_TRUE(shell.dialogs.messages.empty());
  EXPECT_FALSE(f.ok.Hidden());
  EXPECT_TRUE(f.link.PortHandle);

  // With the port open, the on-demand open leaves it alone.
  const SerialPort* held = f.link.PortHandle.get();
  f.EnsurePortOpen();
  EXPECT_EQ(f.link.PortHandle.get(), held);

  shell.Click(f.Button7);
  EXPECT_TRUE(f.ok.Hidden());
  EXPECT_FALSE(f.link.PortHandle);

  // Closed: the on-demand open opens it again.
  f.EnsurePortOpen();
  EXPECT_FALSE(f.ok.Hidden());
  EXPECT_TRUE(f.link.PortHandle);

  // A bad baud text after "Open" closed the port leaves no port.
  f.Boud.SetText("fast");
  shell.Click(f.OpenCom);
  EXPECT_EQ(shell.dialogs.errors, Texts{"'fast' is not a valid integer value"});
  EXPECT_TRUE(f.ok.Hidden());
  EXPECT_FALSE(f.link.PortHandle);
}
#endif

TEST(TForm1Shell, OnDemandOpenFailureReportsAndGoesOn) {
  Shell shell;
  shell.form->Edit1.SetText("/nonexistent/tty");
  shell.form->EnsurePortOpen();
  EXPECT_EQ(shell.dialogs.messages, Texts{kNoPort});
  EXPECT_TRUE(shell.form->ok.Hidden());
}

TEST(TForm1Shell, StatusLabelsShowExactlyOneOutcome) {
  Shell shell;
  TForm1& f = *shell.form;
  f.ShowOk();
  EXPECT_TRUE(!f.Label2.Hidden() && f.Label5.Hidden());
  f.ShowNotOk();
  EXPECT_TRUE(f.Label2.Hidden() && !f.Label5.Hidden());
  f.HideStatus();
  EXPECT_TRUE(f.Label2.Hidden() && f.Label5.Hidden());
}

TEST(TForm1Shell, StartsWithTheHiddenAndDisabledControlsOfItsTables) {
  Shell shell;
  TForm1& f = *shell.form;
  const std::vector<Handle> hidden{f.ok,      f.Label2,      f.Label5,   f.Button4,   f.Button5,
                                   f.ButContRetro, f.End2,   f.Label3,   f.Label4,    f.Button3,
                                   f.DownScr, f.Down_testik, f.ButtonUp, f.ButBegLog, f.ButBegRetro};
  const std::vector<Handle> disabled{f.Button4, f.Button5, f.ButContRetro, f.Button3};
  const auto listed = [](const std::vector<Handle>& handles, Control control) {
    return std::ranges::any_of(handles, [&](const Handle& handle) { return handle.id() == control; });
  };
  // Every other control of every window starts shown and enabled.
  for (const ControlRow& row : Controls()) {
    EXPECT_EQ(shell.view.Shown(row.id), !listed(hidden, row.id)) << row.name;
    EXPECT_EQ(shell.view.Enabled(row.id), !listed(disabled, row.id)) << row.name;
  }
}

TEST(TForm1Shell, OkAndNotOkAreHiddenWhenEveryRequestGoesOut) {
  testing::ModelPortRig rig;
  TForm1& f = rig.form();
  std::string running;
  int requests = 0;
  std::vector<std::string> found_shown;
  auto peer = testing::ModelPeer(rig.model);
  f.link.PortHandle = std::make_unique<testing::FakePort>(rig.shell.clock, [&](const std::vector<std::uint8_t>& request) {
    ++requests;
    if (!f.Label2.Hidden() || !f.Label5.Hidden()) found_shown.push_back(running);
    return peer(request);
  });
  f.Beg.SetText("2");
  const std::vector<std::pair<const char*, Handle>> commands{
      {"Begin up log", f.ButBegLog},     {"LOG (count)", f.ButContCount}, {"LOG", f.ButContLog},
      {"Begin up retro", f.ButBegRetro}, {"RETRO", f.ButContRetro},       {"Clear log", f.ButKillLog}};
  for (const auto& [name, button] : commands) {
    for (const bool ok : {true, false}) {
      ok ? f.ShowOk() : f.ShowNotOk();
      running = std::string(name) + (ok ? " after OK" : " after NOT OK");
      requests = 0;
      rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
      rig.shell.Press(button);
      EXPECT_GT(requests, 0) << running;
    }
  }
  EXPECT_EQ(found_shown, std::vector<std::string>{});
}

TEST(TForm1Shell, ProgressMarksAndStop) {
  Shell shell;
  TForm1& f = *shell.form;
  // No port: the request is "written", no reply comes.
  EXPECT_EQ(f.link.ExchangeWordCommand(28), 0);
  EXPECT_EQ(f.Label.Text(), " . ");
  f.hooks.ReplyReceived();
  EXPECT_EQ(f.Label.Text(), " .  + ");
  EXPECT_FALSE(f.StopRequested);
  shell.Click(f.Button8);
  EXPECT_TRUE(f.StopRequested);
}

TEST(TForm1Shell, StopStillWorksWhileACommandRuns) {
  Shell shell;
  TForm1& f = *shell.form;
  const CommandGuard guard(f.CommandRunning);
  shell.view.on_pump = [&] { shell.Click(f.Button8); };
  f.link.ExchangeWordCommand(28);
  EXPECT_TRUE(f.StopRequested);
}

TEST(TForm1Shell, TheTwoClearButtonsEmptyTheirOwnPane) {
  Shell shell;
  TForm1& f = *shell.form;
  f.Memo.SetText("cfg");
  f.Memo1.SetText("log");
  shell.Click(f.Button1);
  EXPECT_EQ(f.Memo.Text(), "");
  EXPECT_EQ(f.Memo1.Text(), "log");
  f.Memo.SetText("cfg");
  shell.Click(f.Button6);
  EXPECT_EQ(f.Memo1.Text(), "");
  EXPECT_EQ(f.Memo.Text(), "cfg");
}

TEST(TForm1Shell, RightMouseUpShowsDiagWhichKeepsTraceLinesUntilCleared) {
  Shell shell;
  TForm1& f = *shell.form;
  f.hooks.Trace("Comm ->( 05 64 )");
  f.MouseUp(Window::kForm1, MouseButton::kLeft);
  EXPECT_TRUE(shell.view.windows_shown.empty());
  f.MouseUp(Window::kForm1, MouseButton::kRight);
  EXPECT_EQ(shell.view.windows_shown, std::vector<Window>{Window::kForm2});
  f.hooks.Trace("bool Send =12");
  f.CloseRequested(Window::kForm2);
  EXPECT_TRUE(shell.exit_codes.empty());
  EXPECT_EQ(f.Form2.Memo.Text(), "Comm ->( 05 64 )\r\nbool Send =12\r\n");
  shell.Click(f.Form2.Button1);
  EXPECT_EQ(f.Form2.Memo.Text(), "");
}

}  // namespace
}  // namespace tarvex
