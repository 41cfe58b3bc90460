// Repaints while a command runs: at most one every kPaintInterval, so that the
// thousands of small changes a retrieval makes each second (a pane line, a counter, a
// progress mark) cost a few repaints instead of one each. What is painted is the same,
// only up to kPaintInterval later.
#pragma once

#include <chrono>

namespace tarvex {

inline constexpr std::chrono::milliseconds kPaintInterval{40};

// How long a repaint asked for `since_last_paint` after the previous one waits: none
// when nothing is running (`paced` false), else what is left of the interval.
inline std::chrono::milliseconds PaintDelay(bool paced, std::chrono::milliseconds since_last_paint) {
  if (!paced || since_last_paint >= kPaintInterval) return std::chrono::milliseconds(0);
  return kPaintInterval - since_last_paint;
}

}  // namespace tarvex
