// How far the PC's local time runs from UTC, as the archive's times are moved by it.
#pragma once

#include "basics/wall_clock.h"

namespace tarvex {

// Local time minus UTC in minutes (east of UTC positive), −12:00..+14:00. The two
// readings may lie on different days: 01:00 local at 22:00 UTC is +03:00.
int ZoneShift(const WallTime& now);

}  // namespace tarvex
