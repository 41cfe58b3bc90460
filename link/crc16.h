// CRC-16/MODBUS: the one checksum of every frame on the line.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvex {

std::uint16_t Crc16(const std::uint8_t* data, std::size_t n);

// Stores the checksum of bytes 0..n-1 at offsets n (low byte) and n+1 (high byte).
void AppendCrc16(std::uint8_t* buffer, std::size_t n);

// True when offsets n and n+1 hold the checksum of bytes 0..n-1.
bool CheckCrc16(const std::uint8_t* buffer, std::size_t n);

}  // namespace tarvex
