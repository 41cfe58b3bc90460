#include "cli/session.h"

#include <istream>
#include <ostream>

#include "basics/conversion_error.h"
#include "basics/port_settings.h"
#include "basics/str_to_int.h"
#include "cli/terminal.h"
#include "link/port_name.h"

namespace tarvex::cli {

Session::Session(const Environment& environment, const Invocation& invocation)
    : environment_(environment),
      invocation_(invocation),
      hooks_(environment.stop, invocation.command->stops_itself),
      link_(hooks_, environment.clock) {
  hooks_.SetLink(&link_);
  if (invocation.command->port_lists) return;
  const PortSettings saved = ReadPortSettings(environment.settings);
  port_text_ = invocation.port.value_or(saved.port);
  if (port_text_.empty()) throw CliError(kUsage, "no port given");
  const std::string baud_text = invocation.baud.value_or(saved.baud);
  baud_ = IntegerValue(invocation.baud ? "--baud" : "baud in " + FileOfKey(environment.settings, kBaudKey).string(), baud_text);
}

Link& Session::link() {
  if (opened_) return link_;
  OpenFailure failure;
  if (!link_.Open(PortNameFromText(port_text_), baud_, &failure)) {
    const ExitStatus status = failure.kind == OpenFailure::Kind::kBaud ? kUsage : kPortFailed;
    throw CliError(status, "cannot open " + failure.device + ": " + failure.reason);
  }
  opened_ = true;
  return link_;
}

OutputTarget& Session::Output(const std::filesystem::path& target) { return output_.emplace(target); }

void Session::CommitOutput() {
  if (output_) output_->Commit();
}

CliError Session::AbandonOutput(const CliError& error) {
  const auto kept = output_ ? output_->Abandon() : std::nullopt;
  // A failed file names itself.
  if (!kept || error.status() == kFileFailed) return error;
  return CliError(error.status(), std::string(error.what()) + "; " + kept->string() + " keeps what was read");
}

void Session::PrintLine(std::string_view utf8) {
  environment_.out << TerminalFromUtf8(utf8) << "\n" << std::flush;
}

void Session::PrintText(std::string_view cp1251) { environment_.out << TerminalFromCp1251(cp1251) << std::flush; }

bool Session::Confirm(std::string_view question) {
  if (invocation_.Has("--yes")) return true;
  const std::string command(invocation_.command->name);
  if (!environment_.in_is_terminal) {
    throw CliError(kUsage, command + " asks first, and standard input is no terminal: add --yes");
  }
  environment_.err << TerminalFromUtf8(question) << " [y/N] " << std::flush;
  std::string answer;
  std::getline(environment_.in, answer);
  // Ctrl+C ends the wait for the answer, and the command with it.
  if (environment_.stop) throw CliError(kInterrupted, "interrupted");
  return answer == "y" || answer == "Y" || answer == "yes";
}

std::string Session::FailureText(const StepFailure& failure) const {
  std::string text = StepFailureText(failure);
  // The system's words for a lost port: a connection the server dropped, an unplugged adapter.
  const std::string why = link_.PortHandle ? link_.PortHandle->LossReason() : std::string();
  if (failure.reason == LinkFailure::kPortGone && !why.empty()) text += " (" + why + ")";
  return text;
}

void Session::FailStep(const char* step, std::string_view invalid, std::optional<std::int32_t> index) {
  Fail({step, index, link_.LastFailure()}, invalid);
}

void Session::Fail(const StepFailure& failure, std::string_view invalid) {
  if (failure.reason != LinkFailure::kNone) throw CliError(kControllerFailed, FailureText(failure));
  // The exchange went through: what is wrong is the value it brought.
  std::string step = failure.step;
  if (failure.index) step += " " + std::to_string(*failure.index);
  throw CliError(kControllerFailed, step + ": " + std::string(invalid));
}

}  // namespace tarvex::cli
