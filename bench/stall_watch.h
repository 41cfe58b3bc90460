// A thread that asks to wake every millisecond and notes when it could not: the
// stretches in which this machine ran none of our threads. A pump gap that lies
// inside such a stretch was the machine's, not the link's.
#pragma once

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace tarvex::bench {

class StallWatch {
 public:
  using Clock = std::chrono::steady_clock;

  StallWatch() : thread_([this] { Run(); }) {}
  ~StallWatch() { Stop(); }
  StallWatch(const StallWatch&) = delete;
  StallWatch& operator=(const StallWatch&) = delete;

  // Ends the watch; the stretches may be read afterwards.
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

  // How much of [from, to] fell inside stretches the watch saw stalled.
  Clock::duration StalledWithin(Clock::time_point from, Clock::time_point to) const {
    Clock::duration total{};
    for (const auto& [begin, end] : stalls_) {
      const auto lo = std::max(from, begin);
      const auto hi = std::min(to, end);
      if (hi > lo) total += hi - lo;
    }
    return total;
  }

 private:
  static constexpr auto kTick = std::chrono::milliseconds(1);
  // A wake this late means the thread was not run: a stall of the machine.
  static constexpr auto kLate = std::chrono::milliseconds(5);

  void Run() {
    auto last = Clock::now();
    while (!stop_) {
      const timespec tick{0, std::chrono::nanoseconds(kTick).count()};
      ::nanosleep(&tick, nullptr);
      const auto now = Clock::now();
      if (now - last > kLate) stalls_.emplace_back(last + kTick, now);
      last = now;
    }
  }

  std::atomic<bool> stop_{false};
  std::vector<std::pair<Clock::time_point, Clock::time_point>> stalls_;
  std::thread thread_;
};

}  // namespace tarvex::bench
