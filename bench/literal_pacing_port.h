// The reference reader's line: one byte per read call, a 10 ms pause before each
// attempt at the first byte of a reply, 4 ms before each further byte, and a 55 ms
// read time-out. Put under the link, it shows what the per-byte algorithm costs on
// the same line and with the same exchanges.
#pragma once

#include <memory>
#include <thread>

#include "link/serial_port.h"

namespace tarvex::bench {

class LiteralPacingPort final : public SerialPort {
 public:
  explicit LiteralPacingPort(SerialPort& inner) : inner_(inner) {}

  void Purge() override { inner_.Purge(); }
  bool Write(const std::uint8_t* data, std::size_t n) override {
    awaiting_first_byte_ = true;
    return inner_.Write(data, n);
  }
  std::size_t Read(std::uint8_t* data, std::size_t max, std::chrono::microseconds) override {
    using namespace std::chrono_literals;
    if (max == 0) return 0;
    std::this_thread::sleep_for(awaiting_first_byte_ ? 10ms : 4ms);
    const std::size_t n = inner_.Read(data, 1, 55ms);
    if (n > 0) awaiting_first_byte_ = false;
    return n;
  }
  bool Lost() const override { return inner_.Lost(); }

 private:
  SerialPort& inner_;
  bool awaiting_first_byte_ = true;
};

}  // namespace tarvex::bench
