// Any bytes as the reply to every long-header exchange.
#include <cstring>

#include "link/link.h"
#include "testing/fake_port.h"

using namespace std::chrono_literals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvex::testing::FakeClock clock;
  tarvex::LinkHooks hooks;
  tarvex::Link link(hooks, clock);
  const std::vector<std::uint8_t> reply(data, data + size);
  link.PortHandle = std::make_unique<tarvex::testing::FakePort>(
      clock, [&](const std::vector<std::uint8_t>&) {
        return std::vector<tarvex::testing::Chunk>{{1ms, reply}};
      });
  auto& frame = link.TransferFrame;
  const std::size_t n = tarvex::BuildCommandRequest(frame, 26);
  const std::int32_t data_length = link.ExchangeData(frame, n);
  if (data_length < 0 || static_cast<std::size_t>(data_length) > frame.size()) __builtin_trap();
  link.ExchangeWord(frame, tarvex::BuildCommandRequest(frame, 25));
  link.ExchangeInt32(frame, tarvex::BuildCommandRequest(frame, 44));
  link.ExchangeFloat(frame, tarvex::BuildCommandRequest(frame, 45));
  link.ExchangeRaw(frame, tarvex::BuildCommandRequest(frame, 14));
  // A smaller buffer than the reply: nothing may land past it.
  std::array<std::uint8_t, 64> small{};
  link.ExchangeData(small, tarvex::BuildCommandRequest(small, 26));
  return 0;
}
