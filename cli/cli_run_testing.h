// Runs tarvex-cli's Run in the test's process with captured streams, a settings
// file of the test's own and a clock the test may speed up.
#pragma once

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "basics/wall_clock.h"
#include "cli/run.h"
#include "link/clock.h"

namespace tarvex::cli::testing {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Settings that are nowhere: the built-in port and baud.
inline const SettingsFiles kNoSettings{"no-such-folder/log.log", "no-such-folder/log.log"};

inline RunResult RunCli(const std::vector<std::string>& words, Clock& clock = RealClock(),
                        const SettingsFiles& settings = kNoSettings,
                        const std::atomic<bool>& stop = std::atomic<bool>(false),
                        WallClock& wall_clock = SystemWallClock()) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  const Environment environment{.out = out,
                                .err = err,
                                .in = in,
                                .settings = settings,
                                .clock = clock,
                                .wall_clock = wall_clock,
                                .stop = stop};
  RunResult result;
  result.status = Run(words, environment);
  result.out = out.str();
  result.err = err.str();
  return result;
}

}  // namespace tarvex::cli::testing
