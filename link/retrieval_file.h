// The file a retrieval writes its records to besides the pane, when the front end
// names one: it counts the records that reached it whole, and a failure to create,
// write or flush it goes into the outcome, never lost.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "basics/output_file.h"
#include "link/operation_outcome.h"

namespace tarvex {

class RetrievalFile {
 public:
  // Creates the file at `path`, replacing any of that name; no file without a path.
  explicit RetrievalFile(const std::optional<std::filesystem::path>& path, CloseFunction close = CloseStream);

  // True when the front end named a file, whether or not it could be created.
  bool named() const { return file_.has_value(); }
  // Bytes that are no record (the log's pointer line), and a record's bytes.
  void Write(std::string_view bytes);
  void WriteRecord(std::string_view bytes);
  // Closes the file; when it failed at any time, says so in `outcome`.
  void Close(OperationOutcome& outcome);

 private:
  std::optional<OutputFile> file_;
  std::int32_t records_ = 0;
};

}  // namespace tarvex
