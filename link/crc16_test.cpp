#include "link/crc16.h"

#include <gtest/gtest.h>

#include <array>

namespace tarvex {
namespace {

TEST(Crc16, KnownHeadersAndRoundTrip) {
  std::array<std::uint8_t, 6> header{0x05, 0x64, 0x08, 0x00};
  AppendCrc16(header.data(), 4);
  EXPECT_EQ(header[4], 0x46);
  EXPECT_EQ(header[5], 0xF7);
  EXPECT_TRUE(CheckCrc16(header.data(), 4));

  std::array<std::uint8_t, 4> short_header{0x05, 0x64};
  AppendCrc16(short_header.data(), 2);
  EXPECT_EQ(short_header[2], 0x03);
  EXPECT_EQ(short_header[3], 0x0B);

  // Standard check value of CRC-16/MODBUS.
  const char* digits = "123456789";
  EXPECT_EQ(Crc16(reinterpret_cast<const std::uint8_t*>(digits), 9), 0x4B37);
}

TEST(Crc16, DetectsAnySingleByteChange) {
  std::array<std::uint8_t, 8> packet{0x1A, 0x06, 0x2C, 0x01, 0x01, 0x00};
  AppendCrc16(packet.data(), 6);
  for (std::size_t i = 0; i < packet.size(); ++i) {
    auto broken = packet;
    broken[i] ^= 0x01;
    EXPECT_FALSE(CheckCrc16(broken.data(), 6)) << "byte " << i;
  }
}

}  // namespace
}  // namespace tarvex
