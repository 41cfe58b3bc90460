#include "cli/stop_signal.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace tarvex::cli {
namespace {

std::atomic<bool> stop_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

#ifdef _WIN32
BOOL WINAPI OnConsoleControl(DWORD) {
  // The second one goes on to the default handler, which ends the process.
  return stop_requested.exchange(true) ? FALSE : TRUE;
}
#else
void OnSignal(int) { stop_requested = true; }
#endif

}  // namespace

const std::atomic<bool>& InstallStopSignal() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnSignal;
  // Back to the default after the first: a second Ctrl+C ends the process.
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
#endif
  return stop_requested;
}

}  // namespace tarvex::cli
