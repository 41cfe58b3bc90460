#include "sim/poll/field_polls.h"

#include <bit>

#include "link/crc16.h"

namespace tarvex::sim {
namespace {

constexpr std::size_t kShortBody = 6;
constexpr std::size_t kValuesBody = 34;
constexpr std::size_t kFirstValueOffset = 22;

void PutBigEndianFloat(Bytes& frame, std::size_t offset, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    frame[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (24 - 8 * i));
  }
}

FieldPoll Answered(std::uint8_t address, std::uint8_t function) {
  return FieldPoll{FieldRequest(kFieldRequestLead, address, function), function, address};
}

}  // namespace

Bytes FieldRequest(std::uint8_t lead, std::uint8_t address, std::uint8_t function) {
  const std::size_t body = function == 10 ? kValuesBody : kShortBody;
  Bytes frame(body + 2, 0);
  frame[0] = lead;
  frame[1] = address;
  frame[3] = function;
  frame[4] = kPollLineNumber;
  if (function == 10) {
    for (std::size_t i = 0; i < 3; ++i) {
      PutBigEndianFloat(frame, kFirstValueOffset + 4 * i, kPollValues[i]);
    }
  }
  AppendCrc16(frame.data(), body);
  return frame;
}

std::vector<FieldPoll> FieldPollRound() {
  std::vector<FieldPoll> round = {Answered(1, 1), Answered(2, 1), Answered(3, 2),
                                  Answered(4, 10)};
  round.push_back(FieldPoll{FieldRequest(kFieldRequestLead, 5, 5), 5, 5, false});
  round.push_back(FieldPoll{FieldRequest(kFieldAnswerLead, 6, 1), 1, 6, false});
  FieldPoll padded = Answered(1, 1);
  padded.request.insert(padded.request.begin(), {0xFF, 0xFF});
  round.push_back(padded);
  FieldPoll zero_address = Answered(0, 1);
  zero_address.after_pause = true;
  round.push_back(zero_address);
  return round;
}

}  // namespace tarvex::sim
