// reboot, register, ident, pressure and respond: as the window's "REBOOT",
// "Registration", "Ident", "Press" and "Start".
#include <string>

#include "cli/command_table.h"
#include "cli/controller_values.h"
#include "cli/session.h"
#include "cli/terminal.h"
#include "service/responder.h"
#include "service/service_commands.h"

namespace tarvex::cli {

ExitStatus RunReboot(Session& session) {
  SendRebootText(session.link());
  return kDone;
}

ExitStatus RunRegister(Session& session) {
  if (!session.Confirm("Register the controller?")) return kDone;
  if (!Register(session.link())) session.FailStep("registration");
  return kDone;
}

ExitStatus RunIdent(Session& session) {
  session.PrintLine(ReadIdentText(session));
  return kDone;
}

ExitStatus RunPressure(Session& session) {
  session.PrintLine(ReadPressureText(session));
  return kDone;
}

ExitStatus RunRespond(Session& session) {
  const Invocation& invocation = session.invocation();
  ResponderTexts texts;
  texts.day = invocation.Value("--day").value_or(texts.day);
  texts.add1 = invocation.Value("--add1").value_or(texts.add1);
  texts.add2 = invocation.Value("--add2").value_or(texts.add2);
  const char separator = UserDecimalSeparator();
  Link& link = session.link();
  const Environment& environment = session.environment();
  while (!environment.stop) {
    if (ReceiveRequest(link) > 0) {
      const ResponderReply reply = AnswerRequest(link, texts, environment.wall_clock, separator);
      for (const std::string& line : reply.trace) session.PrintText(line + "\n");
    }
    if (link.PortHandle->Lost()) throw CliError(kControllerFailed, "the port is gone");
  }
  return kDone;
}

}  // namespace tarvex::cli
