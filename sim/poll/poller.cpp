#include "sim/poll/poller.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "sim/pty/line_io.h"

namespace tarvex::sim {
namespace {

using std::chrono::milliseconds;

// More than any answer; a line that keeps talking is cut off here.
constexpr std::size_t kAnswerLimit = 4096;

enum class Wait { kBytes, kTimeout, kHangUp, kWoken };

// Waits until `deadline` for bytes on `fd` and appends those that are there.
Wait ReadUntil(int fd, int wake_fd, LineClock::time_point deadline, Bytes& into) {
  while (true) {
    const auto left = std::chrono::ceil<milliseconds>(deadline - LineClock::now());
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake_fd, POLLIN, 0}};
    const int ready = poll(fds, wake_fd >= 0 ? 2 : 1, static_cast<int>(std::max<long long>(0, left.count())));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return Wait::kHangUp;
    if (fds[1].revents != 0) return Wait::kWoken;
    if (ready == 0) return Wait::kTimeout;
    if ((fds[0].revents & POLLIN) == 0) return Wait::kHangUp;
    std::array<std::uint8_t, 512> buffer;
    const ssize_t n = read(fd, buffer.data(), buffer.size());
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) return Wait::kHangUp;
    into.insert(into.end(), buffer.begin(), buffer.begin() + n);
    return Wait::kBytes;
  }
}

struct Collected {
  Bytes bytes;
  milliseconds latency{0};
  Wait end = Wait::kTimeout;  // kHangUp or kWoken when the line or the run ended it
};

// The answer: its first byte within `first_wait`, its end at the first `silence`.
Collected CollectAnswer(int fd, int wake_fd, milliseconds first_wait, milliseconds silence) {
  Collected got;
  const auto sent = LineClock::now();
  got.end = ReadUntil(fd, wake_fd, sent + first_wait, got.bytes);
  if (got.end != Wait::kBytes) return got;
  got.latency = std::chrono::duration_cast<milliseconds>(LineClock::now() - sent);
  while (got.end == Wait::kBytes && got.bytes.size() < kAnswerLimit) {
    got.end = ReadUntil(fd, wake_fd, LineClock::now() + silence, got.bytes);
  }
  return got;
}

// The gap before the next poll, watched for bytes that come after the answer ended.
Wait WatchGap(int fd, int wake_fd, milliseconds gap, Bytes& late) {
  const auto deadline = LineClock::now() + gap;
  while (LineClock::now() < deadline && late.size() < kAnswerLimit) {
    const Wait w = ReadUntil(fd, wake_fd, deadline, late);
    if (w == Wait::kWoken) return w;
    if (w == Wait::kHangUp) return WaitUntil(deadline, wake_fd) ? w : Wait::kWoken;
  }
  return Wait::kTimeout;
}

}  // namespace

std::string SummaryLine(const PollReport& report) {
  return "polls " + std::to_string(report.polls.size()) + " ok " + std::to_string(report.ok) +
         " failed " + std::to_string(report.failed);
}

PollReport RunPoller(int fd, const PollerOptions& options, std::ostream& out, int wake_fd) {
  PollReport report;
  const std::vector<FieldPoll> round = FieldPollRound();
  report.cancelled = !WaitUntil(LineClock::now() + options.start_delay, wake_fd);
  // Whatever the line held before the first poll answers none of them.
  Bytes stale;
  while (!report.cancelled && stale.size() < kAnswerLimit &&
         ReadUntil(fd, wake_fd, LineClock::now(), stale) == Wait::kBytes) {
  }
  for (std::size_t i = 0; i < options.count && !report.cancelled; ++i) {
    PollOutcome outcome{round[i % round.size()], {}, milliseconds(0), {}, {}};
    const Bytes& request = outcome.poll.request;
    if (!WritePaced(fd, request.data(), request.size(), options.baud, wake_fd)) {
      outcome.verdict = {false, "request not sent"};
    } else {
      Collected got = CollectAnswer(
          fd, wake_fd, outcome.poll.answered ? options.answer_timeout : options.no_answer_wait,
          options.silence);
      outcome.answer = std::move(got.bytes);
      outcome.latency = got.latency;
      outcome.verdict = CheckFieldAnswer(outcome.poll, outcome.answer, outcome.latency, options.expect);
      Bytes late;
      const Wait gap = got.end == Wait::kTimeout ? WatchGap(fd, wake_fd, options.interval, late) : got.end;
      if (gap == Wait::kWoken) {
        report.cancelled = true;
        break;
      }
      if (gap == Wait::kHangUp) {
        outcome.verdict = {false, "line hung up"};
      } else if (!late.empty() && outcome.verdict.ok) {
        outcome.verdict = {false, std::to_string(late.size()) + " bytes arrived late"};
      }
      outcome.answer.insert(outcome.answer.end(), late.begin(), late.end());
    }
    outcome.line = PollLine(i + 1, outcome.poll, outcome.verdict, outcome.answer.size());
    out << outcome.line << '\n' << std::flush;
    ++(outcome.verdict.ok ? report.ok : report.failed);
    report.polls.push_back(std::move(outcome));
  }
  out << SummaryLine(report) << '\n' << std::flush;
  return report;
}

}  // namespace tarvex::sim
