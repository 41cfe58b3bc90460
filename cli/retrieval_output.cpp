#include "cli/retrieval_output.h"

#include <string>

#include "cli/session.h"

namespace tarvex::cli {
namespace {

// A pane line as terminal lines: its CR LF breaks as line feeds, one at its end.
std::string TerminalLines(std::string_view pane_line) {
  std::string text;
  text.reserve(pane_line.size() + 1);
  for (std::size_t i = 0; i < pane_line.size(); ++i) {
    if (pane_line[i] == '\r' && i + 1 < pane_line.size() && pane_line[i + 1] == '\n') continue;
    text += pane_line[i];
  }
  if (!text.ends_with('\n')) text += '\n';
  return text;
}

}  // namespace

RetrievalOutput::RetrievalOutput(Session& session, std::span<const std::string_view> columns) : session_(session) {
  const Invocation& invocation = session.invocation();
  std::optional<TableFormat> format;
  if (const auto text = invocation.Value("--format")) format = TableFormatFromText(*text);
  auto file = invocation.Value("--file");
  if (!file) file = invocation.Value("--append");
  if (file) file_ = session.Output(*file).working();
  if (format) {
    // A device or a pipe is written directly, under its own name.
    const bool regular = file_ && *file_ != std::filesystem::path(*file);
    table_.emplace(*format, columns, session.environment(), file_, regular);
    file_.reset();
  }
}

void RetrievalOutput::RecordsStarting(std::int32_t total) {
  const Environment& environment = session_.environment();
  total_ = total;
  // Lines on the same terminal would run into the progress line.
  const bool shown = environment.err_is_terminal && (file_ || !environment.out_is_terminal);
  progress_.emplace(environment.err, shown, environment.clock, total, "records");
  if (table_) table_->Start();
}

void RetrievalOutput::Record(std::string_view pane_line) {
  ++records_;
  if (progress_) progress_->Advance(records_);
  if (!file_ && !table_) session_.PrintText(TerminalLines(pane_line));
}

void RetrievalOutput::Row(std::span<const TableCell> cells) {
  if (table_) table_->Row(cells);
}

ExitStatus RetrievalOutput::Run(const std::function<OperationOutcome()>& retrieve) {
  const auto of_total = [this](std::int32_t records) {
    return std::to_string(records) + " of " + std::to_string(total_.value_or(0)) + " records";
  };
  OperationOutcome outcome;
  try {
    outcome = retrieve();
    if (table_) table_->Close(outcome);
  } catch (const CliError& error) {
    progress_.reset();
    if (error.status() != kInterrupted || !total_) throw;
    throw CliError(kInterrupted, "interrupted after " + of_total(records_));
  }
  progress_.reset();
  if (const auto& failed = outcome.file_failure) {
    throw CliError(kFileFailed, "cannot write " + failed->path.string() + ": " + failed->reason + "; " +
                                    of_total(failed->records) + " reached it");
  }
  if (outcome.failure) throw CliError(kControllerFailed, session_.FailureText(*outcome.failure));
  return kDone;
}

}  // namespace tarvex::cli
