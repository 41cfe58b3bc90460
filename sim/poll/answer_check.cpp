#include "sim/poll/answer_check.h"

#include <array>
#include <cstdio>
#include <optional>

#include "link/crc16.h"

namespace tarvex::sim {
namespace {

using Answer = std::span<const std::uint8_t>;

// 0.8, 2.0 and 1.0, little-endian singles.
constexpr std::array<std::uint8_t, 12> kFunction2Values = {0xCD, 0xCC, 0x4C, 0x3F, 0x00, 0x00,
                                                            0x00, 0x40, 0x00, 0x00, 0x80, 0x3F};
constexpr std::size_t kFunction2ValuesAt = 21;

struct AnswerShape {
  std::size_t length;
  std::uint8_t code;  // byte 3
};

AnswerShape ShapeOf(std::uint8_t function) {
  switch (function) {
    case 1: return {165, 0x81};
    case 2: return {130, 0x82};
    default: return {6, 0x83};  // function 10, the only other answered one
  }
}

struct FixedByte {
  std::size_t offset;
  std::uint8_t value;
};
constexpr std::array<FixedByte, 5> kFunction1Fixed = {
    {{56, 8}, {58, 17}, {62, 9}, {63, 38}, {69, 11}}};

struct ClockField {
  std::size_t offset;
  const char* name;
  int max;
};
constexpr std::array<ClockField, 3> kFunction1Clock = {
    {{59, "hour", 23}, {60, "minute", 59}, {61, "second", 59}}};

std::string Hex(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", value);
  return text;
}

std::optional<std::string> ExpectByte(Answer answer, std::size_t offset, std::uint8_t expected,
                                      const std::string& what) {
  if (answer[offset] == expected) return std::nullopt;
  return "byte " + std::to_string(offset) + " (" + what + ") is " + Hex(answer[offset]) +
         ", expected " + Hex(expected);
}

std::optional<std::string> CheckFunction1(Answer answer, const AnswerExpectations& expect) {
  if (auto bad = ExpectByte(answer, 4, 1, "constant")) return bad;
  for (const FixedByte& fixed : kFunction1Fixed) {
    if (auto bad = ExpectByte(answer, fixed.offset, fixed.value, "constant")) return bad;
  }
  if (auto bad = ExpectByte(answer, 57, static_cast<std::uint8_t>(expect.day & 0xFF), "day")) {
    return bad;
  }
  for (const ClockField& field : kFunction1Clock) {
    const int value = answer[field.offset];
    if (value > field.max) {
      return "byte " + std::to_string(field.offset) + " (" + field.name + ") is " +
             std::to_string(value) + ", outside 0.." + std::to_string(field.max);
    }
  }
  return std::nullopt;
}

std::optional<std::string> CheckFunction2(Answer answer) {
  if (auto bad = ExpectByte(answer, 4, 1, "constant")) return bad;
  for (std::size_t i = 0; i < kFunction2Values.size(); ++i) {
    if (auto bad = ExpectByte(answer, kFunction2ValuesAt + i, kFunction2Values[i], "value")) {
      return bad;
    }
  }
  return std::nullopt;
}

std::optional<std::string> CheckAnswered(const FieldPoll& poll, Answer answer,
                                         std::chrono::milliseconds latency,
                                         const AnswerExpectations& expect) {
  if (answer.empty()) return "no answer";
  const AnswerShape shape = ShapeOf(poll.function);
  const std::size_t length = shape.length;
  if (answer.size() != length) {
    return std::to_string(answer.size()) + " bytes, expected " + std::to_string(length);
  }
  if (auto bad = ExpectByte(answer, 0, kFieldAnswerLead, "lead")) return bad;
  if (auto bad = ExpectByte(answer, 1, poll.address, "address")) return bad;
  if (auto bad = ExpectByte(answer, 2, static_cast<std::uint8_t>(length), "length")) return bad;
  if (auto bad = ExpectByte(answer, 3, shape.code, "function")) return bad;
  if (!CheckCrc16(answer.data(), length - 2)) return "bad CRC";
  if (poll.after_pause && latency < kZeroAddressPause) {
    return "answered after " + std::to_string(latency.count()) + " ms, before the " +
           std::to_string(kZeroAddressPause.count()) + " ms pause";
  }
  if (poll.function == 1) return CheckFunction1(answer, expect);
  if (poll.function == 2) return CheckFunction2(answer);
  return std::nullopt;
}

}  // namespace

AnswerVerdict CheckFieldAnswer(const FieldPoll& poll, Answer answer,
                               std::chrono::milliseconds latency,
                               const AnswerExpectations& expect) {
  if (!poll.answered) {
    if (answer.empty()) return {true, {}};
    return {false, "answered " + std::to_string(answer.size()) + " bytes, expected none"};
  }
  const std::optional<std::string> bad = CheckAnswered(poll, answer, latency, expect);
  return bad ? AnswerVerdict{false, *bad} : AnswerVerdict{true, {}};
}

std::string PollLine(std::size_t number, const FieldPoll& poll, const AnswerVerdict& verdict,
                     std::size_t answer_size) {
  std::string line = "poll " + std::to_string(number) + " fn " + std::to_string(poll.function) +
                     " addr " + std::to_string(poll.address) + ": ";
  if (!verdict.ok) return line + "FAIL " + verdict.reason;
  if (!poll.answered) return line + "no answer (expected)";
  return line + "ok " + std::to_string(answer_size) + " bytes";
}

}  // namespace tarvex::sim
