// How many hours the PC's local time runs apart from UTC, as the archive uses it.
#pragma once

#include "basics/wall_clock.h"

namespace tarvex {

// |local hour - UTC hour|, 0..23: only the hour fields count, so a zone 5 hours
// behind UTC gives 5 and 01:00 local at 22:00 UTC gives 21.
int ZoneShift(const WallTime& now);

}  // namespace tarvex
