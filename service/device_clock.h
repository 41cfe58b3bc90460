// The clock of a simulated field device: the PC's time of day shifted by whole
// seconds.
#pragma once

#include <cstdint>

#include "basics/wall_clock.h"

namespace tarvex {

// `local` plus `shift_seconds` (behind when negative), wrapping at midnight.
// Throws ConversionError kTimeEncodeError unless |shift_seconds| < 3600.
TimeOfDay DeviceClock(const TimeOfDay& local, std::int32_t shift_seconds);

}  // namespace tarvex
