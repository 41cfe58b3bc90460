#include "link/frame.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "link/crc16.h"

namespace tarvex {
namespace {

constexpr std::uint8_t kPacketKindCommand = 6;
constexpr std::uint8_t kPacketKindScript = 12;
constexpr std::uint8_t kScriptDownloadCode = 12;
constexpr std::size_t kLongHeaderLength = 6;

void WriteLongHeader(std::span<std::uint8_t> buffer, std::size_t packet_length) {
  buffer[0] = kFrameLead;
  buffer[1] = kFrameKind;
  buffer[2] = static_cast<std::uint8_t>(packet_length & 0xFF);
  buffer[3] = static_cast<std::uint8_t>(packet_length >> 8);
  AppendCrc16(buffer.data(), 4);
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t n, const char* separator) {
  std::string out;
  char digits[3];
  for (std::size_t i = 0; i < n; ++i) {
    std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
    out += digits;
    out += separator;
  }
  return out;
}

std::size_t BuildShort(std::uint8_t code, ShortBuffer& buffer, const std::uint8_t* data,
                       std::size_t n, std::uint16_t address, std::uint8_t block_operation,
                       const char* trace_separator, LinkHooks& hooks) {
  if (n > kMaxWriteBlock) return 0;
  BuildShortHeader(buffer.data());
  buffer[4] = 1;
  if (n == 0) {
    buffer[5] = 6;
    buffer[6] = 0;
    buffer[7] = 0;
    buffer[8] = 0;
    buffer[9] = code;
    AppendCrc16(buffer.data() + 4, 6);
    return 12;
  }
  buffer[5] = block_operation;
  buffer[6] = static_cast<std::uint8_t>(address >> 8);
  buffer[7] = static_cast<std::uint8_t>(address & 0xFF);
  buffer[8] = 0;
  buffer[9] = static_cast<std::uint8_t>(n);
  std::copy_n(data, n, buffer.begin() + 10);
  AppendCrc16(buffer.data() + 4, n + 6);
  hooks.Trace("Comm ->(" + std::to_string(n + 8) + ") " +
              HexBytes(buffer.data() + 4, n + 8, trace_separator));
  return n + 12;
}

}  // namespace

std::size_t BuildCommandRequest(std::span<std::uint8_t> buffer, std::uint8_t code,
                                const std::array<std::uint8_t, 4>& args) {
  WriteLongHeader(buffer, 8);
  buffer[6] = code;
  buffer[7] = kPacketKindCommand;
  std::copy(args.begin(), args.end(), buffer.begin() + 8);
  AppendCrc16(buffer.data() + 6, 6);
  return kCommandRequestLength;
}

std::size_t BuildIndexedRequest(std::span<std::uint8_t> buffer, std::uint8_t code,
                                std::int32_t index) {
  const auto low16 = static_cast<std::uint16_t>(index);
  return BuildCommandRequest(buffer, code,
                             {static_cast<std::uint8_t>(low16 & 0xFF),
                              static_cast<std::uint8_t>(low16 >> 8), 1, 0});
}

std::size_t BuildScriptDownloadRequest(std::span<std::uint8_t> buffer,
                                       std::span<const std::uint8_t> script) {
  const std::size_t s = script.size();
  if (s > kMaxScriptLength || s + kCommandRequestLength > buffer.size()) return 0;
  WriteLongHeader(buffer, s + 8);
  buffer[6] = kScriptDownloadCode;
  buffer[7] = kPacketKindScript;
  buffer[8] = 0;
  buffer[9] = 0;
  buffer[10] = static_cast<std::uint8_t>(s);
  buffer[11] = 0;
  std::copy(script.begin(), script.end(), buffer.begin() + 12);
  AppendCrc16(buffer.data() + 6, s + 6);
  return s + kCommandRequestLength;
}

std::uint16_t LongReplyLength(const std::uint8_t* reply) {
  return static_cast<std::uint16_t>(reply[2] | (reply[3] << 8));
}

bool IsCompleteLongReply(const std::uint8_t* reply, std::size_t received) {
  if (received < kLongHeaderLength || !CheckCrc16(reply, 4)) return false;
  return received >= kLongHeaderLength + LongReplyLength(reply);
}

LinkFailure JudgeLongReply(const std::uint8_t* reply, std::size_t received) {
  if (received < kLongHeaderLength) return LinkFailure::kShortReply;
  if (!CheckCrc16(reply, 4)) return LinkFailure::kHeaderChecksum;
  const std::size_t length = LongReplyLength(reply);
  // The packet checksum sits at 4 + L; with L < 4 there is no packet to check.
  if (received < kLongHeaderLength + length || length < 4) return LinkFailure::kShortReply;
  if (!CheckCrc16(reply + kLongHeaderLength, length - 2)) return LinkFailure::kPacketChecksum;
  return LinkFailure::kNone;
}

bool IsValidLongReply(const std::uint8_t* reply, std::size_t received) {
  return JudgeLongReply(reply, received) == LinkFailure::kNone;
}

void BuildShortHeader(std::uint8_t* buffer) {
  buffer[0] = kFrameLead;
  buffer[1] = kFrameKind;
  AppendCrc16(buffer, 2);
}

std::size_t BuildShortRequest(std::uint8_t code, ShortBuffer& buffer, const std::uint8_t* data,
                              std::size_t n, std::uint16_t address, LinkHooks& hooks) {
  return BuildShort(code, buffer, data, n, address, 16, " ", hooks);
}

std::size_t BuildShortReadRequest(std::uint8_t code, ShortBuffer& buffer,
                                  const std::uint8_t* data, std::size_t n,
                                  std::uint16_t address, LinkHooks& hooks) {
  return BuildShort(code, buffer, data, n, address, 17, "", hooks);
}

bool IsValidShortReply(const std::uint8_t* reply, std::size_t received) {
  return received >= 2 && !(reply[0] == 0 && reply[1] == 0);
}

}  // namespace tarvex
