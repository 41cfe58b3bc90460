#include "link/clock.h"

#include <thread>

namespace tarvex {

Clock::TimePoint SteadyClock::Now() { return std::chrono::steady_clock::now(); }

void SteadyClock::Sleep(Duration d) { std::this_thread::sleep_for(d); }

Clock& RealClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace tarvex
