#include "sim/model/record_ring.h"

#include <utility>

#include "sim/model/ring_index.h"

namespace tarvex::sim {

RecordRing::RecordRing(std::size_t size) : slots_(size) {}

void RecordRing::Append(Bytes record) {
  slots_[pointer_] = std::move(record);
  pointer_ = (pointer_ + 1) % slots_.size();
  if (count_ < slots_.size()) ++count_;
}

void RecordRing::Clear() {
  for (Bytes& slot : slots_) slot.clear();
  count_ = 0;
  pointer_ = 0;
}

const Bytes& RecordRing::At(std::uint16_t raw_index) const {
  return slots_[RingSlot(raw_index, slots_.size())];
}

}  // namespace tarvex::sim
