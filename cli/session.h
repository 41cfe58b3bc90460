// One run of a command: the invocation, the process's environment, and the link to
// the controller, opened at the first use of link() from --port/--baud or the
// settings file. Run functions use it to reach the controller, print, ask, and fail.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "cli/cli_link_hooks.h"
#include "cli/command_line.h"
#include "cli/environment.h"
#include "cli/exit_status.h"
#include "cli/output_target.h"
#include "link/link.h"
#include "link/operation_outcome.h"

namespace tarvex::cli {

class Session {
 public:
  // Reads the port and baud texts; a baud text that is no integer is a usage error.
  Session(const Environment& environment, const Invocation& invocation);

  const Environment& environment() const { return environment_; }
  const Invocation& invocation() const { return invocation_; }
  CliLinkHooks& hooks() { return hooks_; }
  // The port as given (--port, or the settings file's).
  const std::string& port_text() const { return port_text_; }

  // The link with its port open. Throws CliError(kPortFailed) with the device and the
  // reason, or CliError(kUsage) for a baud rate the device cannot run at.
  Link& link();
  // The link as it is, for a command that opens the ports itself.
  Link& bare_link() { return link_; }

  // The command's output file, created at once (see OutputTarget); a command has one
  // at most.
  OutputTarget& Output(const std::filesystem::path& target);
  // The command succeeded: its output file, if any, takes its place. Throws
  // CliError(kFileFailed) when it cannot.
  void CommitOutput();
  // The command failed with `error`: the same error, its line telling where what was
  // read so far is kept.
  CliError AbandonOutput(const CliError& error);

  // A line of our own (UTF-8) on standard output.
  void PrintLine(std::string_view utf8);
  // The controller's text (code page 1251) on standard output, line ends as they are.
  void PrintText(std::string_view cp1251);

  // True when the user confirms `question` on the terminal, or with --yes. Without
  // --yes on no terminal it is a usage error: nobody could answer.
  bool Confirm(std::string_view question);

  // Why `failure`'s step failed, with the system's reason when the port was lost.
  std::string FailureText(const StepFailure& failure) const;

  // Ends the command with kControllerFailed and why `step` failed, the link's reason
  // for its last exchange ("no reply to the ident query", "block 3 of the
  // configuration read: reply short"); `invalid` when that exchange went through but
  // its value is not one ("ident query: no identifier above 0 in the reply").
  [[noreturn]] void FailStep(const char* step, std::string_view invalid = "reply not valid",
                             std::optional<std::int32_t> index = std::nullopt);
  [[noreturn]] void Fail(const StepFailure& failure, std::string_view invalid = "reply not valid");

 private:
  const Environment& environment_;
  const Invocation& invocation_;
  std::string port_text_;
  std::int32_t baud_ = 0;
  CliLinkHooks hooks_;
  Link link_;
  bool opened_ = false;
  std::optional<OutputTarget> output_;
};

}  // namespace tarvex::cli
