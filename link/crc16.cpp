#include "link/crc16.h"

namespace tarvex {

std::uint16_t Crc16(const std::uint8_t* data, std::size_t n) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 1U) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001U)
                       : static_cast<std::uint16_t>(crc >> 1);
    }
  }
  return crc;
}

void AppendCrc16(std::uint8_t* buffer, std::size_t n) {
  const std::uint16_t crc = Crc16(buffer, n);
  buffer[n] = static_cast<std::uint8_t>(crc & 0xFF);
  buffer[n + 1] = static_cast<std::uint8_t>(crc >> 8);
}

bool CheckCrc16(const std::uint8_t* buffer, std::size_t n) {
  const std::uint16_t crc = Crc16(buffer, n);
  return buffer[n] == (crc & 0xFF) && buffer[n + 1] == (crc >> 8);
}

}  // namespace tarvex
