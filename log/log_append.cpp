#include "log/log_append.h"

#include <charconv>

#include "log/log_commands.h"

namespace tarvex {
namespace {

constexpr std::string_view kPointerLine = "pointer = ";

std::int32_t InRing(std::int64_t index) {
  return static_cast<std::int32_t>(((index % kLogRingSize) + kLogRingSize) % kLogRingSize);
}

}  // namespace

std::optional<LogFileEnd> FindLogFileEnd(std::string_view file) {
  for (std::size_t start = file.size() + 1; start-- > 0;) {
    if (start > 0 && !file.substr(0, start).ends_with("\r\n")) continue;
    if (!file.substr(start).starts_with(kPointerLine)) continue;
    const char* number = file.data() + start + kPointerLine.size();
    const char* line_end = file.data() + file.size();
    LogFileEnd end;
    const auto [after, error] = std::from_chars(number, line_end, end.pointer);
    if (error != std::errc()) continue;
    const std::size_t next_line = file.find("\r\n", static_cast<std::size_t>(after - file.data()));
    end.records = next_line != std::string_view::npos && next_line + 2 < file.size();
    return end;
  }
  return std::nullopt;
}

LogAppendPlan PlanLogAppend(const LogFileEnd& end, std::int32_t count, std::int32_t pointer,
                            const std::function<bool(std::int32_t index)>& holds_last_record) {
  const bool full = count >= kLogRingSize;
  const LogAppendPlan everything{.section = full ? LogSection::kMissing : LogSection::kCleared, .records = count};
  if (!full && pointer < InRing(end.pointer)) return {.section = LogSection::kCleared, .records = count};
  if (end.records && !holds_last_record(InRing(std::int64_t{end.pointer} - 1))) return everything;
  return {.records = InRing(std::int64_t{pointer} - end.pointer)};
}

std::string LogSectionLine(LogSection section, std::int32_t pointer) {
  std::string line = std::string(kPointerLine) + std::to_string(pointer);
  if (section == LogSection::kCleared) line += " (the log was cleared)";
  if (section == LogSection::kMissing) line += " (more records were written than the log holds: some are missing)";
  return line + "\r\n";
}

}  // namespace tarvex
