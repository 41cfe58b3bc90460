// What the log and archive commands show of a retrieval: each record's pane line on
// standard output (nothing there when --file takes the records), or with --format
// each record's row of a table (cli/table_output.h), progress on standard error, and
// the end of the run from the operation's outcome.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "cli/exit_status.h"
#include "cli/progress.h"
#include "cli/table_output.h"
#include "link/operation_outcome.h"

namespace tarvex::cli {

class Session;

class RetrievalOutput {
 public:
  // Takes --file as the session's output, and so fails at once (kFileFailed) when
  // that file cannot be written, rather than after a long read into nowhere. With
  // --format, the rows have `columns`.
  RetrievalOutput(Session& session, std::span<const std::string_view> columns);

  // The file the retrieval writes, if any: none when the rows take --file.
  const std::optional<std::filesystem::path>& file() const { return file_; }

  // The records follow, `total` of them at most.
  void RecordsStarting(std::int32_t total);
  // One record read, with its pane line (code page 1251).
  void Record(std::string_view pane_line);
  // The row of the record just read, for --format.
  void Row(std::span<const TableCell> cells);

  // Runs the retrieval; 0 when every step ran and every record reached the file.
  // Else throws CliError: kFileFailed with the file, the reason and how many records
  // reached it; kControllerFailed with the outcome's failure ("record 1264: reply
  // checksum wrong"); kInterrupted with how many records were read.
  ExitStatus Run(const std::function<OperationOutcome()>& retrieve);

 private:
  Session& session_;
  std::optional<std::filesystem::path> file_;
  std::optional<TableOutput> table_;
  std::optional<Progress> progress_;
  std::optional<std::int32_t> total_;
  std::int32_t records_ = 0;
};

}  // namespace tarvex::cli
