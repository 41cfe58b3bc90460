// The reference reader for long-header exchanges: per-byte reads that end only at
// the silence, as the literal algorithm does, with no completion by length.
#pragma once

#include <cstring>
#include <span>
#include <thread>

#include "link/frame.h"
#include "link/serial_port.h"

namespace tarvex::bench {

// Returns L - 4 data bytes moved to offset 0, or 0.
inline std::int32_t LiteralExchangeData(SerialPort& port, std::span<std::uint8_t> buffer, std::size_t n) {
  using namespace std::chrono_literals;
  port.Purge();
  port.Write(buffer.data(), n);
  std::size_t count = 0;
  for (int attempt = 0; attempt < 201 && count == 0; ++attempt) {
    std::this_thread::sleep_for(10ms);
    count = port.Read(buffer.data(), 1, 55ms);
  }
  while (count > 0 && count < buffer.size()) {
    std::this_thread::sleep_for(4ms);
    if (port.Read(buffer.data() + count, 1, 55ms) == 0) break;
    ++count;
  }
  if (!IsValidLongReply(buffer.data(), count)) return 0;
  const std::size_t length = LongReplyLength(buffer.data()) - 4;
  std::memmove(buffer.data(), buffer.data() + 8, length);
  return static_cast<std::int32_t>(length);
}

}  // namespace tarvex::bench
