// Judges the tool's answer to one field-device poll from the answer's byte layout alone.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "sim/poll/field_polls.h"

namespace tarvex::sim {

// The pause the tool makes before answering address 0.
inline constexpr std::chrono::milliseconds kZeroAddressPause{9};

struct AnswerExpectations {
  std::int32_t day = 28;  // its low 8 bits are byte 57 of the function-1 answer
};

struct AnswerVerdict {
  bool ok = false;
  std::string reason;  // why not, when not ok
};

// `answer` is every byte that came back (empty: none); `latency` runs from the end of
// the request to the first answer byte.
AnswerVerdict CheckFieldAnswer(const FieldPoll& poll, std::span<const std::uint8_t> answer,
                               std::chrono::milliseconds latency,
                               const AnswerExpectations& expect);

// "poll N fn F addr A: ok 165 bytes", "...: no answer (expected)" or "...: FAIL reason".
std::string PollLine(std::size_t number, const FieldPoll& poll, const AnswerVerdict& verdict,
                     std::size_t answer_size);

}  // namespace tarvex::sim
