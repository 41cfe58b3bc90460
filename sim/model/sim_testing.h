// Requests and reply checks shared by the simulator's tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "link/frame.h"
#include "link/link_hooks.h"

namespace tarvex::sim::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes CommandRequest(std::uint8_t code, std::array<std::uint8_t, 4> args = {}) {
  TransferBuffer frame{};
  return Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(
                                                  BuildCommandRequest(frame, code, args)));
}

inline Bytes IndexedRequest(std::uint8_t code, std::int32_t index) {
  TransferBuffer frame{};
  return Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(
                                                  BuildIndexedRequest(frame, code, index)));
}

inline Bytes ShortCommand(std::uint8_t code) {
  ShortBuffer buffer{};
  LinkHooks hooks;
  const std::size_t n = BuildShortRequest(code, buffer, nullptr, 0, 0, hooks);
  return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
}

inline Bytes WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data) {
  ShortBuffer buffer{};
  LinkHooks hooks;
  const std::size_t n = BuildShortRequest(16, buffer, data.data(), data.size(), address, hooks);
  return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
}

inline Bytes ReadBlock(std::uint16_t address) {
  ShortBuffer buffer{};
  LinkHooks hooks;
  const std::uint8_t zero = 0;
  const std::size_t n = BuildShortReadRequest(17, buffer, &zero, 1, address, hooks);
  return Bytes(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
}

// The data of a valid long-header reply (bytes 8 .. 3 + L); empty when invalid.
inline Bytes LongReplyData(const Bytes& reply) {
  if (!IsValidLongReply(reply.data(), reply.size())) return {};
  const std::size_t length = LongReplyLength(reply.data());
  return Bytes(reply.begin() + 8, reply.begin() + static_cast<std::ptrdiff_t>(4 + length));
}

inline std::uint16_t WordAt8(const Bytes& reply) {
  return static_cast<std::uint16_t>(reply.at(8) | (reply.at(9) << 8));
}

}  // namespace tarvex::sim::testing
