// An event record as a row of a table shows it: what the window's line shows of its
// fields, in UTF-8, with the line itself where the window shows the record oddly.
#pragma once

#include <cstdint>
#include <string>

#include "log/log_record.h"

namespace tarvex {

struct LogEntry {
  std::int32_t index = 0;
  // ISO 8601 ("2024-12-27T06:13:00", no zone: the record gives none) where the
  // stamp's values form a date and a time of day; else the line's stamp as it stands.
  std::string time;
  bool dated = false;
  std::string kind;  // the marker as received
  std::string text;  // the event text as the line shows it
  // The line as the window shows it, for a record whose time columns are not what
  // the line shows (see LogRecordFields); empty otherwise.
  std::string line;
};

LogEntry MakeLogEntry(std::int32_t index, const RenderedLogRecord& record);

}  // namespace tarvex
