// Test harness for the main window: scripted dialogs, a clock that only moves when
// the link sleeps, a settings file in a fresh directory, a recorded process exit,
// and the diagnostic window attached.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/testing/scripted_dialogs.h"
#include "app/tform1.h"
#include "app/widgets/tform2.h"
#include "basics/wall_clock.h"
#include "testing/fake_port.h"

namespace tarvex::testing {

// Shows a window and makes it the active one, so that it takes keyboard focus.
inline bool ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  return QTest::qWaitForWindowActive(&window);
}

// A calendar clock that stands where the test puts it.
class FixedWallClock final : public WallClock {
 public:
  WallTime Now() override { return now; }
  WallTime now{.local = {10, 15, 20}, .utc = {10, 15, 20}};
};

class Shell {
 public:
  // `settings`: the bytes of log.log before the window is created; none = no file.
  // `window_clock`: the clock of the window and its link instead of the fake one (a
  // real port needs the real clock, or a silent wait never ends).
  explicit Shell(std::optional<std::string> settings = std::nullopt, Clock* window_clock = nullptr) {
    if (settings) std::ofstream(SettingsPath().toStdString(), std::ios::binary) << *settings;
    form = std::make_unique<TForm1>(TForm1::Services{
        .dialogs = dialogs,
        .clock = window_clock != nullptr ? *window_clock : clock,
        .settings_path = SettingsPath(),
        .exit_process = [this](int code) { exit_codes.push_back(code); },
        .wall_clock = wall_clock,
    });
    form2 = std::make_unique<TForm2>();
    form->AttachDiag(form2.get());
  }

  QString SettingsPath() const { return dir.filePath("log.log"); }

  QTemporaryDir dir;
  ScriptedDialogs dialogs;
  FakeClock clock;
  FixedWallClock wall_clock;
  // Exit codes the window asked the process to end with.
  std::vector<int> exit_codes;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<TForm2> form2;
};

}  // namespace tarvex::testing
