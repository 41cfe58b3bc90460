// Test rig: a Link over a scripted port whose peer answers each request at once.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "link/link.h"
#include "testing/fake_port.h"

namespace tarvex::testing {

class LinkRig {
 public:
  using Answer = std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>&)>;

  explicit LinkRig(Answer answer = {}) : answer_(std::move(answer)) {
    auto port = std::make_unique<FakePort>(clock, [this](const std::vector<std::uint8_t>& request) {
      std::vector<Chunk> chunks;
      if (answer_) {
        auto bytes = answer_(request);
        if (!bytes.empty()) chunks.push_back({std::chrono::milliseconds(1), std::move(bytes)});
      }
      return chunks;
    });
    port_ = port.get();
    link.PortHandle = std::move(port);
  }

  FakePort& port() { return *port_; }
  const std::vector<std::vector<std::uint8_t>>& writes() const { return port_->writes; }

  FakeClock clock;
  RecordingHooks hooks;
  Link link{hooks, clock};

 private:
  Answer answer_;
  FakePort* port_ = nullptr;
};

inline std::vector<std::uint8_t> Hex(std::initializer_list<int> bytes) {
  return {bytes.begin(), bytes.end()};
}

}  // namespace tarvex::testing
