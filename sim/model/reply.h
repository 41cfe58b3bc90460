// What the controller sends back for one request, paced for the transport.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

namespace tarvex::sim {

struct ReplyChunk {
  // Silence on the line before this chunk goes out.
  std::chrono::milliseconds pause_before{0};
  std::vector<std::uint8_t> bytes;
};

// No chunks: the controller stays silent. hang_up: after the chunks the line goes dead
// (the transport closes it) and comes back after hang_up_for.
struct Reply {
  std::vector<ReplyChunk> chunks;
  bool hang_up = false;
  std::chrono::milliseconds hang_up_for{0};

  // All bytes of all chunks, in order.
  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> all;
    for (const ReplyChunk& chunk : chunks) all.insert(all.end(), chunk.bytes.begin(), chunk.bytes.end());
    return all;
  }
};

}  // namespace tarvex::sim
