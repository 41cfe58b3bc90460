// Time as the link and the handlers see it; tests substitute their own.
#pragma once

#include <chrono>

namespace tarvex {

class Clock {
 public:
  using Duration = std::chrono::steady_clock::duration;
  using TimePoint = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
  virtual void Sleep(Duration d) = 0;
};

class SteadyClock final : public Clock {
 public:
  TimePoint Now() override;
  void Sleep(Duration d) override;
};

// The process-wide real clock.
Clock& RealClock();

}  // namespace tarvex
