#include "cli/run.h"

#include <ostream>

#include "basics/conversion_error.h"
#include "basics/version.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/help.h"
#include "cli/session.h"
#include "cli/terminal.h"

namespace tarvex::cli {

int Run(const std::vector<std::string>& words, const Environment& environment) {
  try {
    const Invocation invocation = ParseCommandLine(words, Commands());
    if (invocation.version) {
      environment.out << "tarvex-cli " << kVersion << "\n" << std::flush;
      return kDone;
    }
    if (invocation.help) {
      environment.out << HelpText(invocation, Commands(), environment.settings) << std::flush;
      return kDone;
    }
    Session session(environment, invocation);
    try {
      const ExitStatus status = invocation.command->run(session);
      session.CommitOutput();
      return status;
    } catch (const CliError& error) {
      throw session.AbandonOutput(error);
    }
  } catch (const CliError& error) {
    environment.err << "tarvex-cli: " << TerminalFromUtf8(error.what()) << "\n" << std::flush;
    return error.status();
  } catch (const ConversionError& error) {
    // A text the user gave that the operation reads as a number (the responder's).
    environment.err << "tarvex-cli: " << TerminalFromCp1251(error.what()) << "\n" << std::flush;
    return kUsage;
  }
}

}  // namespace tarvex::cli
