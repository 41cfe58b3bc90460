// Dates and times of day as ISO 8601 writes them, for tables and reports that
// programs read back.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// True when the fields name a day of the Gregorian calendar from year 1 to 9999 and
// a time of day (hour 0..23, minute and second 0..59).
bool IsCalendarTime(const CalendarTime& time);

// "2024-12-27T06:13:00", for a time that IsCalendarTime accepts.
std::string IsoDateTime(const CalendarTime& time);

// A zone's offset from UTC: "+03:00", "-05:30", "+00:00".
std::string IsoOffset(int minutes);

// Seconds from 1970-01-01T00:00:00 to `time` on the same clock, for placing times on
// an axis.
std::int64_t SecondsSince1970(const CalendarTime& time);

}  // namespace tarvex
