#include "log/log_entry.h"

#include "basics/cp1251_text.h"
#include "basics/iso_time.h"

namespace tarvex {

LogEntry MakeLogEntry(std::int32_t index, const RenderedLogRecord& record) {
  const LogRecordFields& fields = record.fields;
  const auto& v = fields.stamp;
  const CalendarTime time{v[0], v[1], v[2], v[3], v[4], v[5]};
  LogEntry entry;
  entry.index = index;
  entry.dated = IsCalendarTime(time);
  entry.time = entry.dated ? IsoDateTime(time) : fields.stamp_text;
  if (fields.marker != 0) entry.kind = Utf8FromCp1251(std::string(1, static_cast<char>(fields.marker)));
  entry.text = Utf8FromCp1251(fields.text);
  if (!fields.stamp_as_received) {
    std::string_view line = record.pane_text;
    // A folded record's own line end is no part of what the line shows.
    if (record.kind == LogRecordKind::kFolded && line.ends_with("\r\n")) line.remove_suffix(2);
    entry.line = Utf8FromCp1251(line);
  }
  return entry;
}

}  // namespace tarvex
