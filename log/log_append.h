// A log file that grows night by night: each run adds the records written since the
// last one the file holds, as a section of its own that begins with a pointer line
// ("pointer = P", as the file's first line does). The last pointer line tells where
// the log stood; its last record is the one at index P - 1. A section that does not
// follow on from the one above says why after its pointer:
// "pointer = 20 (the log was cleared)".
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// Where a log file ends.
struct LogFileEnd {
  std::int32_t pointer = 0;  // P of its last pointer line
  bool records = false;      // bytes follow that line
};

// Nothing when no line of `file` begins with "pointer = " and a number.
std::optional<LogFileEnd> FindLogFileEnd(std::string_view file);

enum class LogSection {
  kFollowing,  // the records after the file's last one
  kCleared,    // the log was cleared since: every record it holds
  kMissing,    // more records than the log holds were written since: every one it holds
};

struct LogAppendPlan {
  LogSection section = LogSection::kFollowing;
  // The last this many records of the log (a retrieval reads no more than it holds).
  std::int32_t records = 0;
};

// What to add to a file that ends at `end`, from the controller's count and pointer
// now. `holds_last_record(index)` asks the controller whether the record at `index`
// is still the one the file ends with; it is asked only when the count and pointer
// cannot tell. The log was cleared when its pointer went back, or when its last
// record changed while the log is not full; a full log whose last record changed
// has wrapped past it.
LogAppendPlan PlanLogAppend(const LogFileEnd& end, std::int32_t count, std::int32_t pointer,
                            const std::function<bool(std::int32_t index)>& holds_last_record);

// The pointer line that begins a section, CR LF at its end.
std::string LogSectionLine(LogSection section, std::int32_t pointer);

}  // namespace tarvex
