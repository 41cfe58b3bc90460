// Test rig: the simulated controller model as the peer of a fake port, so that tests
// reach it through a Link on the fake clock and its silent waits cost no real time.
#pragma once

#include <vector>

#include "sim/model/controller_model.h"
#include "testing/fake_port.h"

namespace tarvex::testing {

// Feeds every request to `model`; each chunk of its replies arrives 1 ms after the one
// before, plus the pause the model puts before it.
inline FakePort::Peer ModelPeer(sim::ControllerModel& model) {
  return [&model](const std::vector<std::uint8_t>& request) {
    std::vector<Chunk> chunks;
    for (const sim::Reply& reply : model.Feed(request)) {
      for (const sim::ReplyChunk& chunk : reply.chunks) {
        chunks.push_back({std::chrono::milliseconds(1) + chunk.pause_before, chunk.bytes});
      }
    }
    return chunks;
  };
}

}  // namespace tarvex::testing
