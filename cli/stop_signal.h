// Ctrl+C (SIGINT, SIGTERM; the console's Ctrl+C, Ctrl+Break and close on Windows)
// asks the running command to stop; a second one ends the process at once.
#pragma once

#include <atomic>

namespace tarvex::cli {

// Installs the handlers once; the flag they set.
const std::atomic<bool>& InstallStopSignal();

}  // namespace tarvex::cli
