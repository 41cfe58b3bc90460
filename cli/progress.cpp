#include "cli/progress.h"

#include <chrono>
#include <cstdio>
#include <ostream>

namespace tarvex::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// "0:29", "1:02:03".
std::string HoursMinutesSeconds(std::chrono::seconds time) {
  const long long s = time.count();
  char text[32];
  if (s >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", s / 60, s % 60);
  }
  return text;
}

}  // namespace

std::string ProgressLine(int done, std::optional<int> total, std::string_view unit,
                         Clock::Duration elapsed) {
  std::string line = std::to_string(done) + (total ? "/" + std::to_string(*total) : "") + " " + std::string(unit);
  if (done <= 0) return line;
  const auto each = std::chrono::duration<double>(elapsed) / done;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, ", %.2f s each", each.count());
  line += seconds;
  if (total && *total > done) {
    line += ", " + HoursMinutesSeconds(std::chrono::duration_cast<std::chrono::seconds>(each * (*total - done))) + " left";
  }
  return line;
}

Progress::Progress(std::ostream& err, bool shown, Clock& clock, std::optional<int> total,
                   std::string_view unit)
    : err_(err), shown_(shown), clock_(clock), total_(total), unit_(unit), start_(clock.Now()) {}

Progress::~Progress() {
  if (last_shown_) err_ << "\n" << std::flush;
}

void Progress::Clear() {
  if (!last_shown_) return;
  err_ << "\r" << std::string(width_, ' ') << "\r" << std::flush;
  last_shown_.reset();
  shown_done_ = -1;
  width_ = 0;
}

void Progress::Advance(int done) {
  if (!shown_ || done == shown_done_) return;
  const auto now = clock_.Now();
  const bool last = total_ && done >= *total_;
  if (last_shown_ && now - *last_shown_ < kRedrawInterval && !last) return;
  last_shown_ = now;
  shown_done_ = done;
  std::string line = ProgressLine(done, total_, unit_, now - start_);
  // Blanks over the rest of a longer line before.
  const std::size_t width = line.size();
  if (width < width_) line.append(width_ - width, ' ');
  width_ = width;
  err_ << "\r" << line << std::flush;
}

}  // namespace tarvex::cli
