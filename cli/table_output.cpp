#include "cli/table_output.h"

#include <ostream>
#include <string>

#include "cli/exit_status.h"
#include "cli/terminal.h"

namespace tarvex::cli {

TableFormat TableFormatFromText(std::string_view text) {
  if (text == "csv") return TableFormat::kCsv;
  if (text == "jsonl") return TableFormat::kJsonl;
  throw CliError(kUsage, "--format " + std::string(text) + ": csv or jsonl");
}

TableOutput::TableOutput(TableFormat format, std::span<const std::string_view> columns,
                         const Environment& environment, const std::optional<std::filesystem::path>& file,
                         bool regular)
    : format_(format), columns_(columns), environment_(environment), file_(file), regular_(regular) {}

void TableOutput::Start() {
  if (file_.named() && regular_ && format_ == TableFormat::kCsv) file_.Write("\xEF\xBB\xBF");
  Write(TableHead(format_, columns_));
}

void TableOutput::Row(std::span<const TableCell> cells) {
  const std::string row = TableRow(format_, columns_, cells);
  if (file_.named()) {
    file_.WriteRecord(row);
  } else {
    Write(row);
  }
}

void TableOutput::Close(OperationOutcome& outcome) { file_.Close(outcome); }

void TableOutput::Write(std::string_view text) {
  if (file_.named()) {
    file_.Write(text);
    return;
  }
  // A console shows its own code page; anything else gets UTF-8 as it is.
  environment_.out << (environment_.out_is_terminal ? TerminalFromUtf8(text) : std::string(text)) << std::flush;
}

}  // namespace tarvex::cli
