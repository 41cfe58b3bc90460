// Correct answers to field-device polls, built from their byte layout, for the tests.
#pragma once

#include <cstdint>

#include "link/crc16.h"
#include "sim/model/bytes.h"

namespace tarvex::sim::testing {

// The answer to `function` (1, 2 or 10) for `address`; function 1 carries `day` and the
// clock 10:16:50.
inline Bytes FieldAnswer(std::uint8_t address, std::uint8_t function, int day = 28) {
  const std::size_t length = function == 1 ? 165 : function == 2 ? 130 : 6;
  Bytes a(length, 0);
  a[0] = 0x55;
  a[1] = address;
  a[2] = static_cast<std::uint8_t>(length);
  a[3] = function == 1 ? 0x81 : function == 2 ? 0x82 : 0x83;
  if (function == 1) {
    a[4] = 1;
    a[56] = 8;
    a[57] = static_cast<std::uint8_t>(day);
    a[58] = 17;
    a[59] = 10;
    a[60] = 16;
    a[61] = 50;
    a[62] = 9;
    a[63] = 38;
    a[69] = 11;
  } else if (function == 2) {
    a[4] = 1;
    const std::uint8_t values[12] = {0xCD, 0xCC, 0x4C, 0x3F, 0x00, 0x00,
                                     0x00, 0x40, 0x00, 0x00, 0x80, 0x3F};
    for (int i = 0; i < 12; ++i) a[21 + static_cast<std::size_t>(i)] = values[i];
  }
  AppendCrc16(a.data(), length - 2);
  return a;
}

// Puts a fresh CRC over the bytes before the last two.
inline void Reseal(Bytes& answer) { AppendCrc16(answer.data(), answer.size() - 2); }

}  // namespace tarvex::sim::testing
