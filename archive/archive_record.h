// One archive record: a date, a time of day on the controller's clock and a value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarvex {

// Bytes: Y, Mo, D, h, mi, s, then V as a little-endian single-precision float.
inline constexpr std::size_t kArchiveRecordSize = 10;

struct ArchiveRecord {
  int year = 0;  // Y: years since 2000; 0 marks a record without a date
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  float value = 0.0f;
};

// Decodes the first 10 bytes; bytes the record does not have read as zero, bytes
// after the tenth are ignored.
ArchiveRecord DecodeArchiveRecord(std::span<const std::uint8_t> record);

// Shifts a dated record's time by `zone_minutes` (ZoneShift: −12:00..+14:00), moving to
// the next or the previous calendar day when the shift crosses midnight. A record with
// Y = 0 is left as it is. Throws ConversionError kTimeEncodeError for an hour above 23 or a minute or
// second above 59, and kDateEncodeError when a date that has to move is not a date.
void ShiftArchiveTime(ArchiveRecord& record, int zone_minutes);

}  // namespace tarvex
