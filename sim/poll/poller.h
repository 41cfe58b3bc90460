// The poller loop (POSIX): sends field-device polls over a line, collects each answer and
// judges it, one printed line per poll and a summary line at the end.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "sim/model/bytes.h"
#include "sim/poll/answer_check.h"
#include "sim/poll/field_polls.h"
#include "sim/poll/poller_options.h"

namespace tarvex::sim {

struct PollOutcome {
  FieldPoll poll;
  Bytes answer;                       // every byte that came back, late ones included
  std::chrono::milliseconds latency;  // end of the request to the first answer byte
  AnswerVerdict verdict;
  std::string line;                   // as printed
};

struct PollReport {
  std::vector<PollOutcome> polls;
  std::size_t ok = 0;
  std::size_t failed = 0;
  bool cancelled = false;  // the wake descriptor ended the run early
  bool passed() const { return !cancelled && !polls.empty() && ok == polls.size(); }
};

// "polls P ok K failed F".
std::string SummaryLine(const PollReport& report);

// Polls over `fd` (the controller's end of the line; the tool's responder on the other
// end). Prints each poll's line and then the summary line to `out`, flushing after each.
// A readable `wake_fd` (-1: none) ends the run at its next wait, with `cancelled` set.
PollReport RunPoller(int fd, const PollerOptions& options, std::ostream& out,
                     int wake_fd = -1);

}  // namespace tarvex::sim
