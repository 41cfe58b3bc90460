// Byte layouts of the controller's replies.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarvex::sim {

// Long-header reply: 5, 100, L (low, high), checksum of bytes 0..3, the echoed command
// code and packet kind, the data, checksum of bytes 6..3+L; L = data size + 4.
std::vector<std::uint8_t> BuildLongReply(std::uint8_t code, std::uint8_t kind,
                                         std::span<const std::uint8_t> data);

// Short-header reply: byte0, byte1, the body, checksum of all of them. For a single
// command 1, 6, 0, 0, 0, code; for a read block 1, 17, c and the c text bytes. A reply
// shorter than `pad_to` bytes gets 0 bytes before its checksum up to that length.
std::vector<std::uint8_t> BuildShortReply(std::uint8_t byte0, std::uint8_t byte1,
                                          std::span<const std::uint8_t> body,
                                          std::size_t pad_to = 0);

// Little-endian bytes of the values that replies carry.
std::vector<std::uint8_t> WordBytes(std::uint16_t value);
std::vector<std::uint8_t> Int32Bytes(std::int32_t value);
std::vector<std::uint8_t> FloatBytes(float value);

}  // namespace tarvex::sim
