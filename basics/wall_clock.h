// The PC's calendar clock as hours, minutes and seconds of the day; tests substitute
// their own.
#pragma once

namespace tarvex {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// One reading of the clock, local and UTC, taken at the same instant.
struct WallTime {
  TimeOfDay local;
  TimeOfDay utc;
  // The local calendar day; 0s from a clock that does not tell it.
  int local_year = 0;
  int local_month = 0;
  int local_day = 0;
};

class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual WallTime Now() = 0;
};

// The process-wide real clock.
WallClock& SystemWallClock();

}  // namespace tarvex
