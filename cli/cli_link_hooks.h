// The link's reports for the command line: progress per reply, and Ctrl+C. A command
// that polls the stop flag itself is left to end by it; any other ends at the link's
// next pump, which comes every few milliseconds of any wait.
#pragma once

#include <atomic>

#include "link/link.h"
#include "link/link_hooks.h"

namespace tarvex::cli {

class Progress;

class CliLinkHooks final : public LinkHooks {
 public:
  CliLinkHooks(const std::atomic<bool>& stop, bool command_stops_itself)
      : stop_(stop), command_stops_itself_(command_stops_itself) {}

  // The link whose lost port ends a wait without time-out.
  void SetLink(const Link* link) { link_ = link; }
  // Each reply from now on advances `progress` (nullptr: none).
  void SetProgress(Progress* progress) {
    progress_ = progress;
    replies_ = 0;
  }

  // Throws CliError(kInterrupted) after Ctrl+C unless the command stops itself.
  void PumpMessages() override;
  void ReplyReceived() override;
  bool AbandonWait() override;

 private:
  const std::atomic<bool>& stop_;
  bool command_stops_itself_;
  const Link* link_ = nullptr;
  Progress* progress_ = nullptr;
  int replies_ = 0;
};

}  // namespace tarvex::cli
