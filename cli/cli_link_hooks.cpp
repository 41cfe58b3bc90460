#include "cli/cli_link_hooks.h"

#include "cli/exit_status.h"
#include "cli/progress.h"

namespace tarvex::cli {

void CliLinkHooks::PumpMessages() {
  if (stop_ && !command_stops_itself_) throw CliError(kInterrupted, "interrupted");
}

void CliLinkHooks::ReplyReceived() {
  if (progress_ != nullptr) progress_->Advance(++replies_);
}

bool CliLinkHooks::AbandonWait() {
  const bool port_gone = link_ != nullptr && link_->PortHandle && link_->PortHandle->Lost();
  return stop_ || port_gone;
}

}  // namespace tarvex::cli
