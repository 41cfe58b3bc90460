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
};

class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual WallTime Now() = 0;
};

// The process-wide real clock.
WallClock& SystemWallClock();

}  // namespace tarvex
