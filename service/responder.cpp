#include "service/responder.h"

#include <algorithm>
#include <bit>

#include "basics/str_to_int.h"
#include "link/crc16.h"
#include "service/device_clock.h"
#include "service/general_float.h"

namespace tarvex {
namespace {

constexpr std::uint8_t kRequestStart = 0xAA;
constexpr std::uint8_t kAnswerStart = 0x55;
constexpr std::uint8_t kFill = 0xFF;
constexpr std::size_t kMaxFillDropped = 500;
constexpr std::uint8_t kTimeFunction = 1;
constexpr std::uint8_t kValuesFunction = 2;
constexpr std::uint8_t kReportFunction = 10;
// ",нитка " in code page 1251.
constexpr const char* kLineWord = ",\xED\xE8\xF2\xEA\xE0 ";

// Leading 0xFF bytes go, at most 500: each time bytes 1..500 move one place down.
void DropLeadingFill(TransferBuffer& frame) {
  for (std::size_t dropped = 0; frame[0] == kFill && dropped < kMaxFillDropped; ++dropped) {
    std::copy(frame.begin() + 1, frame.begin() + 1 + kMaxFillDropped, frame.begin());
  }
}

void PutFloatLittleEndian(TransferBuffer& frame, std::size_t offset, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) frame[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

float GetFloatBigEndian(const TransferBuffer& frame, std::size_t offset) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4; ++i) bits = bits << 8 | frame[offset + i];
  return std::bit_cast<float>(bits);
}

// Lead byte, length and answer code; the address in byte 1 stays. The CRC of the
// bytes before it ends the answer.
void FrameAnswer(TransferBuffer& frame, std::uint8_t length, std::uint8_t code) {
  frame[0] = kAnswerStart;
  frame[2] = length;
  frame[3] = code;
  AppendCrc16(frame.data(), length - 2u);
}

std::size_t BuildTimeAnswer(TransferBuffer& frame, std::int32_t day, const TimeOfDay& clock) {
  frame[4] = 1;
  frame[56] = 8;
  frame[57] = static_cast<std::uint8_t>(day & 0xFF);
  frame[58] = 17;
  frame[59] = static_cast<std::uint8_t>(clock.hour);
  frame[60] = static_cast<std::uint8_t>(clock.minute);
  frame[61] = static_cast<std::uint8_t>(clock.second);
  frame[62] = 9;
  frame[63] = 38;
  frame[69] = 11;
  FrameAnswer(frame, 165, 0x81);
  return 165;
}

std::size_t BuildValuesAnswer(TransferBuffer& frame) {
  frame[4] = 1;
  PutFloatLittleEndian(frame, 21, 0.8f);
  PutFloatLittleEndian(frame, 25, 2.0f);
  PutFloatLittleEndian(frame, 29, 1.0f);
  FrameAnswer(frame, 130, 0x82);
  return 130;
}

std::string ClockLine(const std::string& lead, const TimeOfDay& clock) {
  return lead + ">   min: " + std::to_string(clock.minute) + "sec:" + std::to_string(clock.second);
}

}  // namespace

ResponderReply RespondToPeer(TransferBuffer& frame, const ResponderTexts& texts, WallClock& clock,
                             char decimal_separator) {
  const std::int32_t day = StrToInt(texts.day);
  // The shift follows byte 1 as received, before any 0xFF bytes are dropped.
  const std::uint8_t received_byte1 = frame[1];
  const std::int32_t shift = StrToInt(received_byte1 == 1 ? texts.add1 : texts.add2);
  const TimeOfDay device = DeviceClock(clock.Now().local, shift);

  ResponderReply reply;
  reply.pause_first = received_byte1 == 0;
  DropLeadingFill(frame);
  const std::string address = std::to_string(frame[1]);
  reply.trace.push_back(ClockLine(address, device));
  if (frame[0] != kRequestStart) return reply;

  switch (frame[3]) {
    case kTimeFunction:
      reply.length = BuildTimeAnswer(frame, day, device);
      break;
    case kValuesFunction:
      reply.length = BuildValuesAnswer(frame);
      break;
    case kReportFunction: {
      const auto value = [&](std::size_t offset) {
        return FormatGeneralFloat(GetFloatBigEndian(frame, offset), decimal_separator);
      };
      reply.trace.push_back(address + kLineWord + std::to_string(frame[4]) + "  22>   f: " + value(22));
      reply.trace.push_back(address + "  26>   f: " + value(26));
      reply.trace.push_back(address + "  30>   f: " + value(30));
      FrameAnswer(frame, 6, 0x83);
      reply.length = 6;
      reply.trace.push_back(ClockLine("---", clock.Now().local));
      break;
    }
    default:
      break;
  }
  return reply;
}

std::size_t ReceiveRequest(Link& link) {
  const std::size_t received = link.ReadAnyBytes(link.TransferFrame);
  link.FrameLength = static_cast<std::int32_t>(received);
  return received;
}

ResponderReply AnswerRequest(Link& link, const ResponderTexts& texts, WallClock& clock,
                             char decimal_separator) {
  ResponderReply reply = RespondToPeer(link.TransferFrame, texts, clock, decimal_separator);
  link.FrameLength = static_cast<std::int32_t>(reply.length);
  if (reply.pause_first) link.clock().Sleep(kResponderPause);
  if (reply.length > 0) link.WriteRequest(link.TransferFrame.data(), reply.length);
  return reply;
}

}  // namespace tarvex
