// The rows of --format csv|jsonl: into the command's output file, each on disk before
// the next exchange, or onto standard output. A CSV file starts with a UTF-8
// byte-order mark, by which spreadsheet programs tell UTF-8 from the system's code
// page; standard output and a pipe get none, which their readers do not expect.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "basics/record_table.h"
#include "cli/environment.h"
#include "link/operation_outcome.h"
#include "link/retrieval_file.h"

namespace tarvex::cli {

// The format --format names. Throws CliError(kUsage) for another.
TableFormat TableFormatFromText(std::string_view text);

class TableOutput {
 public:
  // Into `file` (a regular file when `regular`) if there is one, else onto the
  // environment's standard output.
  TableOutput(TableFormat format, std::span<const std::string_view> columns, const Environment& environment,
              const std::optional<std::filesystem::path>& file, bool regular);

  // What comes before the rows, once the controller answers.
  void Start();
  void Row(std::span<const TableCell> cells);
  // The rows are over: a file that failed at any time is told in `outcome`.
  void Close(OperationOutcome& outcome);

 private:
  void Write(std::string_view text);

  TableFormat format_;
  std::span<const std::string_view> columns_;
  const Environment& environment_;
  RetrievalFile file_;
  bool regular_;
};

}  // namespace tarvex::cli
