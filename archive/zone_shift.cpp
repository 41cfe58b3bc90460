#include "archive/zone_shift.h"

namespace tarvex {

int ZoneShift(const WallTime& now) {
  constexpr int kDay = 24 * 60;
  int offset = (now.local.hour - now.utc.hour) * 60 + now.local.minute - now.utc.minute;
  if (offset > 14 * 60) offset -= kDay;
  if (offset < -12 * 60) offset += kDay;
  return offset;
}

}  // namespace tarvex
