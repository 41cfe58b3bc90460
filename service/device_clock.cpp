#include "service/device_clock.h"

#include <cstdlib>

#include "basics/conversion_error.h"

namespace tarvex {

TimeOfDay DeviceClock(const TimeOfDay& local, std::int32_t shift_seconds) {
  // The shift is taken as minutes and seconds below one hour.
  if (std::llabs(shift_seconds) >= 3600) throw ConversionError(kTimeEncodeError);
  constexpr int kDay = 24 * 3600;
  const int seconds =
      ((local.hour * 3600 + local.minute * 60 + local.second + shift_seconds) % kDay + kDay) % kDay;
  return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

}  // namespace tarvex
