// What a run of tarvex-cli takes from its process; tests pass their own.
#pragma once

#include <atomic>
#include <filesystem>
#include <iosfwd>

#include "basics/settings_path.h"
#include "basics/wall_clock.h"
#include "link/clock.h"

namespace tarvex::cli {

struct Environment {
  std::ostream& out;
  std::ostream& err;
  std::istream& in;
  bool in_is_terminal = false;
  // Progress is shown only on a terminal (not to cron's mail or a pipe), and not
  // between lines that go to the same terminal.
  bool out_is_terminal = false;
  bool err_is_terminal = false;
  // The settings files that hold the port and baud defaults.
  SettingsFiles settings;
  Clock& clock;
  WallClock& wall_clock;
  // Set by Ctrl+C.
  const std::atomic<bool>& stop;
};

}  // namespace tarvex::cli
