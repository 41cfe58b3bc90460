// Test harness for the window logic: a view (the fake one, or a renderer's), scripted
// dialogs, a clock that only moves when the link sleeps, a settings file (and its
// defaults) in a fresh folder and a recorded process exit.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/testing/fake_view.h"
#include "app/testing/scripted_dialogs.h"
#include "app/tform1.h"
#include "basics/wall_clock.h"
#include "testing/fake_port.h"
#include "testing/scratch_folder.h"

namespace tarvex::testing {

// A calendar clock that stands where the test puts it.
class FixedWallClock final : public WallClock {
 public:
  WallTime Now() override { return now; }
  WallTime now{.local = {10, 15, 20}, .utc = {10, 15, 20}};
};

template <typename ViewType>
class BasicShell {
 public:
  // `settings`: the bytes of log.log before the window is created; none = no file.
  // `window_clock`: the clock of the window and its link instead of the fake one (a
  // real port needs the real clock, or a silent wait never ends).
  explicit BasicShell(std::optional<std::string> settings = std::nullopt, Clock* window_clock = nullptr) {
    if (settings) PutFile(SettingsPath(), *settings);
    form = std::make_unique<TForm1>(TForm1::Services{
        .view = view,
        .dialogs = dialogs,
        .clock = window_clock != nullptr ? *window_clock : clock,
        .settings = {SettingsPath(), DefaultsPath()},
        .exit_process = [this](int code) { exit_codes.push_back(code); },
        .wall_clock = wall_clock,
    });
    view.Connect(*form);
  }

  // A user's click on the control, through the view that drew it.
  void Click(const Handle& control) { ClickOn(view, control.id()); }
  // Shows and enables a control the description starts hidden or disabled (the
  // archive's and service buttons), then clicks it.
  void Press(const Handle& control) {
    control.Show();
    control.SetEnabled(true);
    Click(control);
  }

  std::filesystem::path SettingsPath() const { return dir.path() / "log.log"; }
  // The settings beside the executable of an installed window; none unless the test
  // puts them there.
  std::filesystem::path DefaultsPath() const { return dir.path() / "defaults.log"; }
  std::filesystem::path PathOf(const char* name) const { return dir.path() / name; }

  // Two shells of one test keep apart.
  inline static int count = 0;
  ScratchFolder dir{"app-" + std::to_string(count++)};
  ViewType view;
  ScriptedDialogs dialogs;
  FakeClock clock;
  FixedWallClock wall_clock;
  // Exit codes the window asked the process to end with.
  std::vector<int> exit_codes;
  std::unique_ptr<TForm1> form;
};

using Shell = BasicShell<FakeView>;

// Writes `bytes` to `name` in the shell's folder and answers the next file dialog
// with that file; returns its path.
template <typename ViewType>
std::filesystem::path OfferFile(BasicShell<ViewType>& shell, const char* name, const std::string& bytes) {
  const auto path = shell.PathOf(name);
  PutFile(path, bytes);
  shell.dialogs.file_answers.push_back(path);
  return path;
}

}  // namespace tarvex::testing
