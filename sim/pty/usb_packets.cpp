#include "sim/pty/usb_packets.h"

namespace tarvex::sim {

std::vector<HeldPacket> HoldInPackets(const Reply& reply, LineClock::time_point start, std::int32_t baud,
                                      std::chrono::milliseconds latency) {
  std::vector<HeldPacket> packets;
  HeldPacket held;
  LineClock::time_point first{};  // when the held packet's first byte came in
  LineClock::time_point chunk_start = start;
  for (const ReplyChunk& chunk : reply.chunks) {
    chunk_start += chunk.pause_before;
    for (std::size_t i = 0; i < chunk.bytes.size(); ++i) {
      const auto arrived = chunk_start + WireTime(i + 1, baud);
      if (!held.bytes.empty() && arrived > first + latency) {
        held.at = first + latency;
        packets.push_back(std::move(held));
        held = {};
      }
      if (held.bytes.empty()) first = arrived;
      held.bytes.push_back(chunk.bytes[i]);
      if (held.bytes.size() == kUsbPacketData) {
        held.at = arrived;
        packets.push_back(std::move(held));
        held = {};
      }
    }
    chunk_start += WireTime(chunk.bytes.size(), baud);
  }
  if (!held.bytes.empty()) {
    held.at = first + latency;
    packets.push_back(std::move(held));
  }
  return packets;
}

}  // namespace tarvex::sim
