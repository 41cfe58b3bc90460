// A serial port that counts the bytes crossing it, for the wire-time limit.
#pragma once

#include <memory>

#include "link/serial_port.h"

namespace tarvex::testing {

class CountingPort final : public SerialPort {
 public:
  explicit CountingPort(std::unique_ptr<SerialPort> inner) : inner_(std::move(inner)) {}

  void Purge() override { inner_->Purge(); }
  bool Write(const std::uint8_t* data, std::size_t n) override {
    written += n;
    return inner_->Write(data, n);
  }
  std::size_t Read(std::uint8_t* data, std::size_t max, std::chrono::microseconds timeout) override {
    const std::size_t n = inner_->Read(data, max, timeout);
    read += n;
    return n;
  }
  bool Lost() const override { return inner_->Lost(); }

  std::size_t written = 0;
  std::size_t read = 0;

 private:
  std::unique_ptr<SerialPort> inner_;
};

}  // namespace tarvex::testing
