// log --append FILE: what FILE holds, and the section this run adds at its end (see
// log/log_append.h). A first run, with no FILE or an empty one, is log --file's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "basics/count_boxes.h"
#include "log/log_append.h"

namespace tarvex::cli {

class Session;

class LogAppend {
 public:
  // Nothing without --append, or on a first run. Throws CliError(kUsage) for --append
  // with --file or --index, and for a FILE that cannot be read or holds no pointer line.
  static std::optional<LogAppend> Read(const Session& session);

  // The boxes that read the records to add, from the count and pointer the retrieval
  // read; asks the controller for the record at the file's last index when the two
  // cannot tell. Throws CliError(kControllerFailed) when that read fails.
  CountBoxes Plan(Session& session, std::int32_t count, std::int32_t pointer);
  // What the file begins with: its bytes, then the section's pointer line unless
  // there is nothing to add.
  std::string FileStart() const;

 private:
  LogAppend(std::string bytes, LogFileEnd end) : bytes_(std::move(bytes)), end_(end) {}

  std::string bytes_;
  LogFileEnd end_;
  LogAppendPlan plan_;
  std::int32_t pointer_ = 0;
};

}  // namespace tarvex::cli
