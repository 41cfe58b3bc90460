#include "basics/iso_time.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace tarvex {
namespace {

std::chrono::year_month_day Day(const CalendarTime& time) {
  return {std::chrono::year(time.year), std::chrono::month(static_cast<unsigned>(time.month)),
          std::chrono::day(static_cast<unsigned>(time.day))};
}

}  // namespace

bool IsCalendarTime(const CalendarTime& time) {
  return time.year >= 1 && time.year <= 9999 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
         time.day <= 31 && Day(time).ok() && time.hour >= 0 && time.hour <= 23 && time.minute >= 0 &&
         time.minute <= 59 && time.second >= 0 && time.second <= 59;
}

std::string IsoDateTime(const CalendarTime& time) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  return text;
}

std::string IsoOffset(int minutes) {
  char text[16];
  std::snprintf(text, sizeof text, "%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60,
                std::abs(minutes) % 60);
  return text;
}

std::int64_t SecondsSince1970(const CalendarTime& time) {
  const std::chrono::sys_days day(Day(time));
  return static_cast<std::int64_t>(day.time_since_epoch() / std::chrono::seconds(1)) + time.hour * 3600 +
         time.minute * 60 + time.second;
}

}  // namespace tarvex
