// Any bytes as the controller's side of a configuration read and write: the input
// is cut into replies at each 0xFE byte.
#include "link/config_transfer.h"
#include "testing/fake_port.h"

using namespace std::chrono_literals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::vector<std::uint8_t>> replies(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0xFE) {
      replies.emplace_back();
    } else {
      replies.back().push_back(data[i]);
    }
  }
  tarvex::testing::FakeClock clock;
  tarvex::LinkHooks hooks;
  tarvex::Link link(hooks, clock);
  std::size_t next = 0;
  link.PortHandle = std::make_unique<tarvex::testing::FakePort>(
      clock, [&](const std::vector<std::uint8_t>&) {
        // Past the last piece the controller stays silent.
        if (next >= replies.size()) return std::vector<tarvex::testing::Chunk>{};
        return std::vector<tarvex::testing::Chunk>{{1ms, replies[next++]}};
      });
  std::vector<std::uint8_t> text(2000, 0);
  const std::int32_t count = tarvex::UploadConfig(link, text).bytes;
  if (count < 0 || static_cast<std::size_t>(count) >= text.size() || text.back() != 0) __builtin_trap();
  next = 0;
  tarvex::DownloadConfig(link, {text.data(), 100});
  tarvex::TestConfig(link);
  return 0;
}
