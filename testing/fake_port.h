// Test doubles: a clock that only moves when asked, a serial port whose peer
// answers each written request with chunks arriving at set times, and replies.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "link/clock.h"
#include "link/crc16.h"
#include "link/link_hooks.h"
#include "link/serial_port.h"

namespace tarvex::testing {

class FakeClock final : public Clock {
 public:
  TimePoint Now() override { return now_; }
  void Sleep(Duration d) override { now_ += d; }
  void Advance(Duration d) { now_ += d; }

 private:
  TimePoint now_{};
};

struct Chunk {
  std::chrono::milliseconds delay;  // after the previous chunk (or the request)
  std::vector<std::uint8_t> bytes;
};

class FakePort final : public SerialPort {
 public:
  using Peer = std::function<std::vector<Chunk>(const std::vector<std::uint8_t>&)>;

  FakePort(FakeClock& clock, Peer peer) : clock_(clock), peer_(std::move(peer)) {}

  void Purge() override {
    ++purges;
    while (!pending_.empty() && pending_.front().first <= clock_.Now()) pending_.pop_front();
  }

  bool Write(const std::uint8_t* data, std::size_t n) override {
    writes.emplace_back(data, data + n);
    auto at = clock_.Now();
    for (auto& chunk : peer_(writes.back())) {
      at += chunk.delay;
      pending_.emplace_back(at, std::move(chunk.bytes));
    }
    return true;
  }

  std::size_t Read(std::uint8_t* data, std::size_t max,
                   std::chrono::microseconds timeout) override {
    ++reads;
    if (pending_.empty() || pending_.front().first > clock_.Now() + timeout) {
      clock_.Advance(timeout);
      return 0;
    }
    if (pending_.front().first > clock_.Now()) clock_.Advance(pending_.front().first - clock_.Now());
    auto& bytes = pending_.front().second;
    const std::size_t n = std::min(max, bytes.size());
    std::copy_n(bytes.begin(), n, data);
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    if (bytes.empty()) pending_.pop_front();
    return n;
  }

  // Bytes that arrive without a request (noise, a late reply).
  void Inject(std::vector<std::uint8_t> bytes) { pending_.emplace_back(clock_.Now(), std::move(bytes)); }

  std::vector<std::vector<std::uint8_t>> writes;
  int purges = 0;
  int reads = 0;

 private:
  FakeClock& clock_;
  Peer peer_;
  std::deque<std::pair<Clock::TimePoint, std::vector<std::uint8_t>>> pending_;
};

// Records what the link reports.
class RecordingHooks final : public LinkHooks {
 public:
  void PumpMessages() override { ++pumps; if (on_pump) on_pump(); }
  void RequestWritten() override { marks += " . "; }
  void ReplyReceived() override { marks += " + "; }
  void Trace(const std::string& line) override { traces.push_back(line); }
  bool AbandonWait() override { return abandon; }

  int pumps = 0;
  std::string marks;
  std::vector<std::string> traces;
  bool abandon = false;
  std::function<void()> on_pump;
};

// A long-header reply carrying `data` at offset 8, both checksums good.
inline std::vector<std::uint8_t> MakeLongReply(const std::vector<std::uint8_t>& data,
                                               std::uint8_t code = 0x1A) {
  std::vector<std::uint8_t> reply{0x05, 0x64, 0, 0, 0, 0, code, 0x06};
  reply.insert(reply.end(), data.begin(), data.end());
  const std::size_t length = reply.size() - 6 + 2;
  reply[2] = static_cast<std::uint8_t>(length & 0xFF);
  reply[3] = static_cast<std::uint8_t>(length >> 8);
  AppendCrc16(reply.data(), 4);
  reply.resize(reply.size() + 2);
  AppendCrc16(reply.data() + 6, length - 2);
  return reply;
}

}  // namespace tarvex::testing
