// log-count, log-pointer, log-clear: as the window's "Count", "Pointer" and "Clear log".
#include <string>

#include "cli/command_table.h"
#include "cli/session.h"
#include "log/log_commands.h"

namespace tarvex::cli {
namespace {

// The window shows a silent controller's value as 0; here silence is a failure.
ExitStatus PrintQuery(Session& session, std::int32_t (*query)(Link&), std::string_view step) {
  const std::int32_t value = query(session.link());
  if (!session.hooks().replied()) session.FailStep(step);
  session.PrintLine(std::to_string(value));
  return kDone;
}

}  // namespace

ExitStatus RunLogCount(Session& session) { return PrintQuery(session, QueryLogCount, "the log count query"); }

ExitStatus RunLogPointer(Session& session) {
  return PrintQuery(session, QueryLogPointer, "the log pointer query");
}

ExitStatus RunLogClear(Session& session) {
  if (!session.Confirm("Clear the controller's event log?")) return kDone;
  if (!ClearLog(session.link())) session.FailStep("the log clear command");
  return kDone;
}

}  // namespace tarvex::cli
