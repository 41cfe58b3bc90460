// How a USB serial adapter hands the controller's bytes to the computer: it holds them
// until its packet is full or its latency timer runs out, so a short reply waits for the
// timer and a long one comes in pieces.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "sim/model/reply.h"
#include "sim/pty/line_io.h"

namespace tarvex::sim {

// The data bytes of a full-speed USB packet of 64 bytes less the adapter's 2 status bytes.
inline constexpr std::size_t kUsbPacketData = 62;

struct HeldPacket {
  LineClock::time_point at;  // when the adapter sends it
  std::vector<std::uint8_t> bytes;
};

// The packets of `reply` whose first byte starts onto the wire at `start` at `baud` (0:
// all at once), each sent when full or `latency` after its first byte came in.
std::vector<HeldPacket> HoldInPackets(const Reply& reply, LineClock::time_point start, std::int32_t baud,
                                      std::chrono::milliseconds latency);

}  // namespace tarvex::sim
