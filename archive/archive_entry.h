// An archive record as a row of a table shows it: the time in this computer's zone
// with its offset, the value as the window's line shows it, and the line itself where
// the window shows the record oddly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "archive/archive_record.h"

namespace tarvex {

struct ArchiveEntry {
  std::int32_t index = 0;
  // ISO 8601 with the offset of the zone shift the time got ("2025-01-20T14:00:00+03:00")
  // where the record forms a date and a time of day; else the line's stamp as it stands.
  std::string time;
  // The same time as seconds from 1970-01-01T00:00:00 on the same clock, where dated:
  // a place on a time axis.
  std::optional<std::int64_t> seconds;
  // The value as the line shows it ("5.123"), and as a number where it is finite.
  std::string value;
  std::optional<double> number;
  // The pane line for a record without a date or a finite value; empty otherwise.
  std::string line;
};

// `record` as RetrieveArchive leaves it: its time shifted by `zone_minutes` (ZoneShift).
ArchiveEntry MakeArchiveEntry(std::int32_t index, const ArchiveRecord& record, int zone_minutes);

}  // namespace tarvex
