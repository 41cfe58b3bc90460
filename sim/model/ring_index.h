// Where a record index from the line lands in a ring of records.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvex::sim {

// The index arrives as 16 bits. It is read as a signed 16-bit number and brought into
// 0..size-1 by a modulo that never goes negative: in the 2000-record log 2000 -> 0 and
// 0xFFFF (-1) -> 1999; in the 1001-record archive 1001 -> 0 and -9 -> 992. Every index
// thus names a slot, and the same index always names the same one.
inline std::size_t RingSlot(std::uint16_t raw_index, std::size_t size) {
  const long index = static_cast<std::int16_t>(raw_index);
  const long n = static_cast<long>(size);
  return static_cast<std::size_t>(((index % n) + n) % n);
}

}  // namespace tarvex::sim
