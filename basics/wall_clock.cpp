#include "basics/wall_clock.h"

#include <ctime>

namespace tarvex {
namespace {

TimeOfDay ToTimeOfDay(const std::tm& tm) { return {tm.tm_hour, tm.tm_min, tm.tm_sec}; }

class SystemClock final : public WallClock {
 public:
  WallTime Now() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    std::tm utc{};
#ifdef _WIN32
    localtime_s(&local, &now);
    gmtime_s(&utc, &now);
#else
    localtime_r(&now, &local);
    gmtime_r(&now, &utc);
#endif
    return {ToTimeOfDay(local), ToTimeOfDay(utc), local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }
};

}  // namespace

WallClock& SystemWallClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace tarvex
