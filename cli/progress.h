// Progress of long work on standard error, when it is a terminal: items done of the
// total, time per item, time left, rewritten in place.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "link/clock.h"

namespace tarvex::cli {

// "12/125 requests, 0.26 s each, 0:29 left"; without a total "12 requests, 0.26 s each".
std::string ProgressLine(int done, std::optional<int> total, std::string_view unit,
                         Clock::Duration elapsed);

class Progress {
 public:
  Progress(std::ostream& err, bool shown, Clock& clock, std::optional<int> total, std::string_view unit);
  // Ends the line when one was shown.
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // `done` items so far. The line is rewritten at most every 100 ms, and for the last.
  void Advance(int done);
  // Blanks the line, so that a line of our own can be printed there; the next
  // Advance shows it again.
  void Clear();

 private:
  std::ostream& err_;
  bool shown_;
  Clock& clock_;
  std::optional<int> total_;
  std::string unit_;
  Clock::TimePoint start_;
  std::optional<Clock::TimePoint> last_shown_;
  int shown_done_ = -1;
  std::size_t width_ = 0;
};

}  // namespace tarvex::cli
