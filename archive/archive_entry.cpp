#include "archive/archive_entry.h"

#include <charconv>
#include <cmath>

#include "archive/archive_lines.h"
#include "basics/iso_time.h"

namespace tarvex {
namespace {

std::string WithoutLeadingBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

ArchiveEntry MakeArchiveEntry(std::int32_t index, const ArchiveRecord& record, int zone_minutes) {
  const CalendarTime time{2000 + record.year, record.month, record.day, record.hour, record.minute, record.second};
  const bool dated = record.year != 0 && IsCalendarTime(time);
  ArchiveEntry entry;
  entry.index = index;
  entry.time = dated ? IsoDateTime(time) + IsoOffset(zone_minutes) : WithoutLeadingBlanks(ArchiveStampText(record));
  if (dated) entry.seconds = SecondsSince1970(time);
  entry.value = WithoutLeadingBlanks(ArchiveValueField(record.value));
  if (std::isfinite(record.value)) {
    double number = 0.0;
    std::from_chars(entry.value.data(), entry.value.data() + entry.value.size(), number);
    entry.number = number;
  }
  if (!dated || !entry.number) {
    entry.line = ArchivePaneLine(index, record);
    entry.line.pop_back();
  }
  return entry;
}

}  // namespace tarvex
