// The poller on a pseudo-terminal of its own (POSIX): the tool opens the link like a serial
// port and runs its responder there. Run() may be called on any thread (a GUI test runs it
// beside the tool's responder loop); Cancel() from any other.
#pragma once

#include <chrono>
#include <optional>
#include <ostream>
#include <string>

#include "sim/poll/poller.h"
#include "sim/pty/pty_line.h"

namespace tarvex::sim {

class PtyPoller {
 public:
  PtyPoller(std::string link_path, PollerOptions options);
  ~PtyPoller();
  PtyPoller(const PtyPoller&) = delete;
  PtyPoller& operator=(const PtyPoller&) = delete;

  // Creates the terminal and the link. Throws std::runtime_error with the reason.
  void Open();
  // Waits until someone has the device side open (checked every 20 ms); false on
  // Cancel() or when `limit` passes first (no limit: wait until either).
  bool WaitForDevice(std::optional<std::chrono::milliseconds> limit = std::nullopt);
  // Runs the polls (RunPoller) on the line.
  PollReport Run(std::ostream& out);
  // Ends WaitForDevice and Run at their next wait; stays in force.
  void Cancel();

  const std::string& link_path() const { return line_.link_path(); }

 private:
  PollerOptions options_;
  PtyLine line_;
  int wake_read_fd_ = -1;
  int wake_write_fd_ = -1;
};

}  // namespace tarvex::sim
