// A clock for the window's link that runs `factor` times faster than the real one:
// the 13 s first-byte wait of a silent controller passes in 1.3 s at factor 10, while
// the bytes on the line still move in real time. The link's reads wait at most one
// pump interval of real time each, so the window keeps its messages flowing.
#pragma once

#include <chrono>
#include <thread>

#include "link/clock.h"

namespace tarvex::testing {

class FastClock final : public Clock {
 public:
  explicit FastClock(int factor) : factor_(factor) {}

  TimePoint Now() override { return start_ + (std::chrono::steady_clock::now() - start_) * factor_; }
  void Sleep(Duration d) override { std::this_thread::sleep_for(d / factor_); }

 private:
  int factor_;
  TimePoint start_ = std::chrono::steady_clock::now();
};

}  // namespace tarvex::testing
