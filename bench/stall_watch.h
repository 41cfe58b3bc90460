// One thread per processor, each held to its processor, asking to wake every
// millisecond and noting when it could not: the stretches in which that processor
// ran nothing of ours (a virtual machine's processor paused by its host, say). A
// pump gap that lies inside a stall of the processor the link thread was on was the
// machine's, not the link's.
#pragma once

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace tarvex::bench {

class StallWatch {
 public:
  using Clock = std::chrono::steady_clock;
  using Stretch = std::pair<Clock::time_point, Clock::time_point>;

  StallWatch() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (::sched_getaffinity(0, sizeof allowed, &allowed) != 0) return;
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
      if (CPU_ISSET(cpu, &allowed)) watches_[cpu] = std::make_unique<ProcessorWatch>(cpu);
    }
  }
  StallWatch(const StallWatch&) = delete;
  StallWatch& operator=(const StallWatch&) = delete;

  // Ends the watch; the stretches may be read afterwards.
  void Stop() {
    for (auto& [cpu, watch] : watches_) watch->Stop();
  }

  // How much of [from, to] the given processors (where the thread slept and where it
  // woke) spent stalled.
  Clock::duration StalledWithin(Clock::time_point from, Clock::time_point to, int cpu_a, int cpu_b) const {
    std::vector<Stretch> stretches;
    for (int cpu : {cpu_a, cpu_b}) {
      const auto it = watches_.find(cpu);
      if (it == watches_.end()) continue;
      stretches.insert(stretches.end(), it->second->stalls().begin(), it->second->stalls().end());
    }
    return CoveredWithin(std::move(stretches), from, to);
  }

  // How much of [from, to] the stretches cover; where they overlap, once.
  static Clock::duration CoveredWithin(std::vector<Stretch> stretches, Clock::time_point from,
                                       Clock::time_point to) {
    std::sort(stretches.begin(), stretches.end());
    Clock::duration total{};
    Clock::time_point covered = from;
    for (const auto& [begin, end] : stretches) {
      const auto lo = std::max(begin, covered);
      const auto hi = std::min(end, to);
      if (hi > lo) total += hi - lo;
      covered = std::max(covered, end);
    }
    return total;
  }

 private:
  class ProcessorWatch {
   public:
    explicit ProcessorWatch(int cpu) : thread_([this, cpu] { Run(cpu); }) {}
    ~ProcessorWatch() { Stop(); }
    ProcessorWatch(const ProcessorWatch&) = delete;
    ProcessorWatch& operator=(const ProcessorWatch&) = delete;
    void Stop() {
      stop_ = true;
      if (thread_.joinable()) thread_.join();
    }
    const std::vector<Stretch>& stalls() const { return stalls_; }

   private:
    static constexpr auto kTick = std::chrono::milliseconds(1);
    // A wake this late means the processor did not run the thread: a stall.
    static constexpr auto kLate = std::chrono::milliseconds(5);

    void Run(int cpu) {
      cpu_set_t one;
      CPU_ZERO(&one);
      CPU_SET(cpu, &one);
      if (::pthread_setaffinity_np(::pthread_self(), sizeof one, &one) != 0) return;
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
    std::vector<Stretch> stalls_;
    std::thread thread_;
  };

  std::map<int, std::unique_ptr<ProcessorWatch>> watches_;
};

}  // namespace tarvex::bench
