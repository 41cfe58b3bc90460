// Watches the window's message loop while a command runs: a timer due every
// millisecond fires at every pump, so the longest time between two firings is the
// longest time the window went without handling its messages.
#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace tarvex::testing {

class PumpWatch {
 public:
  // `on_tick` runs at every firing (a test clicks from there).
  explicit PumpWatch(std::function<void()> on_tick = {}) : on_tick_(std::move(on_tick)) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      Mark();
      ++ticks;
      if (on_tick_) on_tick_();
    });
    clock_.start();
    timer_.start(1);
  }
  // The stretch since the last firing counts too: a command that never let the
  // timer fire went without pumping for all its time.
  void Stop() {
    timer_.stop();
    Mark();
  }

  int ticks = 0;
  qint64 longest_gap_ms = 0;

 private:
  void Mark() {
    const qint64 now = clock_.elapsed();
    longest_gap_ms = std::max(longest_gap_ms, now - last_ms_);
    last_ms_ = now;
  }

  std::function<void()> on_tick_;
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ms_ = 0;
};

}  // namespace tarvex::testing
