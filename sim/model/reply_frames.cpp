#include "sim/model/reply_frames.h"

#include <algorithm>
#include <bit>

#include "link/crc16.h"

namespace tarvex::sim {

std::vector<std::uint8_t> BuildLongReply(std::uint8_t code, std::uint8_t kind,
                                         std::span<const std::uint8_t> data) {
  const std::size_t packet = data.size() + 4;
  std::vector<std::uint8_t> reply(6 + packet);
  reply[0] = 5;
  reply[1] = 100;
  reply[2] = static_cast<std::uint8_t>(packet & 0xFF);
  reply[3] = static_cast<std::uint8_t>(packet >> 8);
  AppendCrc16(reply.data(), 4);
  reply[6] = code;
  reply[7] = kind;
  std::copy(data.begin(), data.end(), reply.begin() + 8);
  AppendCrc16(reply.data() + 6, packet - 2);
  return reply;
}

std::vector<std::uint8_t> BuildShortReply(std::uint8_t byte0, std::uint8_t byte1,
                                          std::span<const std::uint8_t> body,
                                          std::size_t pad_to) {
  const std::size_t covered = std::max(2 + body.size(), pad_to < 2 ? 0 : pad_to - 2);
  std::vector<std::uint8_t> reply(covered + 2, 0);
  reply[0] = byte0;
  reply[1] = byte1;
  std::copy(body.begin(), body.end(), reply.begin() + 2);
  AppendCrc16(reply.data(), covered);
  return reply;
}

std::vector<std::uint8_t> WordBytes(std::uint16_t value) {
  return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)};
}

std::vector<std::uint8_t> Int32Bytes(std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
          static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
}

std::vector<std::uint8_t> FloatBytes(float value) {
  return Int32Bytes(std::bit_cast<std::int32_t>(value));
}

}  // namespace tarvex::sim
