// Any bytes received by the responder, any length up to the frame; the first two
// bytes pick the shifts so that every branch of the clock is reached.
#include <algorithm>

#include "basics/conversion_error.h"
#include "link/frame.h"
#include "service/responder.h"

namespace {

class FixedWallClock final : public tarvex::WallClock {
 public:
  tarvex::WallTime Now() override { return {{23, 59, 58}, {20, 59, 58}}; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size - 2 > tarvex::kTransferFrameSize) return 0;
  tarvex::TransferBuffer frame{};
  frame.fill(0x5A);
  std::copy_n(data + 2, size - 2, frame.begin());
  tarvex::ResponderTexts texts;
  texts.add1 = std::to_string(static_cast<int>(data[0]) * 16 - 2048);
  texts.add2 = std::to_string(-static_cast<int>(data[1]) * 15);
  FixedWallClock clock;
  try {
    const auto reply = tarvex::RespondToPeer(frame, texts, clock, ',');
    if (reply.length > frame.size() || reply.trace.empty()) __builtin_trap();
  } catch (const tarvex::ConversionError&) {
  }
  return 0;
}
