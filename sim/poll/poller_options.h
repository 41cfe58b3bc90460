// Settings of the poller: the simulator as the master polling the tool's field devices.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "sim/poll/answer_check.h"

namespace tarvex::sim {

struct PollerOptions {
  std::size_t count = 8;                              // polls, going round FieldPollRound()
  std::chrono::milliseconds start_delay{0};           // before the first poll
  std::chrono::milliseconds interval{50};             // gap between polls
  std::chrono::milliseconds answer_timeout{1000};     // wait for the first answer byte
  std::chrono::milliseconds no_answer_wait{300};      // wait that proves a poll unanswered
  std::chrono::milliseconds silence{100};             // ends an answer
  std::int32_t baud = 0;                              // > 0: requests paced at 10 bits per byte
  AnswerExpectations expect;
};

}  // namespace tarvex::sim
