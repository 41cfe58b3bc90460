// script send, get and clear: as the window's script download, upload and clear, with
// the file's bytes moved unchanged both ways.
#include <string>

#include "cli/command_table.h"
#include "cli/operand_file.h"
#include "cli/output_target.h"
#include "cli/session.h"
#include "link/frame.h"
#include "link/script_transfer.h"

namespace tarvex::cli {

ExitStatus RunScriptSend(Session& session) {
  // An empty file would wipe the controller's script: "script clear" says so openly.
  const std::string script = ReadOperandFile(session.invocation(), kMaxScriptLength, "a script");
  if (DownloadScript(session.link(), AsBytes(script)) != ScriptOutcome::kDone) session.FailStep("script download");
  return kDone;
}

ExitStatus RunScriptGet(Session& session) {
  OutputTarget& target = session.Output(session.invocation().operands.front());
  const auto script = UploadScript(session.link());
  if (!script) session.FailStep("script upload", "no script in the reply");
  target.Write(*script);
  return kDone;
}

ExitStatus RunScriptClear(Session& session) {
  if (!session.Confirm("Clear the controller's script?")) return kDone;
  if (!ClearScript(session.link())) session.FailStep("script clear command");
  return kDone;
}

}  // namespace tarvex::cli
