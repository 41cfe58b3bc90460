// A ring of records as the controller keeps its event log and its archive: new records
// go in at the pointer and overwrite the oldest once the ring is full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/model/bytes.h"

namespace tarvex::sim {

class RecordRing {
 public:
  explicit RecordRing(std::size_t size);

  void Append(Bytes record);
  // Forgets every record; count and pointer go back to 0.
  void Clear();

  std::size_t size() const { return slots_.size(); }
  // Records held, at most size().
  std::uint16_t count() const { return static_cast<std::uint16_t>(count_); }
  // Slot the next record goes to; the newest record is at pointer - 1.
  std::uint16_t pointer() const { return static_cast<std::uint16_t>(pointer_); }

  // The record in the slot of a raw 16-bit index (see RingSlot); empty for a slot
  // never written since the last Clear.
  const Bytes& At(std::uint16_t raw_index) const;

 private:
  std::vector<Bytes> slots_;
  std::size_t count_ = 0;
  std::size_t pointer_ = 0;
};

}  // namespace tarvex::sim
