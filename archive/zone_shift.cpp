#include "archive/zone_shift.h"

#include <cstdlib>

namespace tarvex {

int ZoneShift(const WallTime& now) { return std::abs(now.local.hour - now.utc.hour); }

}  // namespace tarvex
