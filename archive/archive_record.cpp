#include "archive/archive_record.h"

#include <algorithm>
#include <bit>

#include "basics/conversion_error.h"

namespace tarvex {
namespace {

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Moves the record's date to the next (step 1) or the previous (step -1) day of the
// Gregorian calendar.
void MoveOneDay(ArchiveRecord& record, int step) {
  int year = 2000 + record.year;
  if (record.month < 1 || record.month > 12 || record.day < 1 ||
      record.day > DaysInMonth(year, record.month)) {
    throw ConversionError(kDateEncodeError);
  }
  record.day += step;
  if (record.day > DaysInMonth(year, record.month)) {
    record.day = 1;
    if (++record.month > 12) {
      record.month = 1;
      ++year;
    }
  } else if (record.day < 1) {
    if (--record.month < 1) {
      record.month = 12;
      --year;
    }
    record.day = DaysInMonth(year, record.month);
  }
  record.year = year - 2000;
}

}  // namespace

ArchiveRecord DecodeArchiveRecord(std::span<const std::uint8_t> record) {
  std::uint8_t bytes[kArchiveRecordSize] = {};
  std::copy_n(record.begin(), std::min(record.size(), kArchiveRecordSize), bytes);
  const std::uint32_t bits = static_cast<std::uint32_t>(bytes[6]) |
                             static_cast<std::uint32_t>(bytes[7]) << 8 |
                             static_cast<std::uint32_t>(bytes[8]) << 16 |
                             static_cast<std::uint32_t>(bytes[9]) << 24;
  return {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], std::bit_cast<float>(bits)};
}

void ShiftArchiveTime(ArchiveRecord& record, int zone_minutes) {
  if (record.year == 0) return;
  if (record.hour > 23 || record.minute > 59 || record.second > 59) {
    throw ConversionError(kTimeEncodeError);
  }
  constexpr int kDay = 24 * 60;
  int minutes = record.hour * 60 + record.minute + zone_minutes;
  if (minutes >= kDay) {
    MoveOneDay(record, 1);
    minutes -= kDay;
  } else if (minutes < 0) {
    MoveOneDay(record, -1);
    minutes += kDay;
  }
  record.hour = minutes / 60;
  record.minute = minutes % 60;
}

}  // namespace tarvex
