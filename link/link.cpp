#include "link/link.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "link/crc16.h"

namespace tarvex {
namespace {

using std::chrono::duration_cast;
using std::chrono::microseconds;
using std::chrono::milliseconds;

std::string HexLine(const std::uint8_t* bytes, std::size_t n) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(n * 3);
  for (std::size_t i = 0; i < n; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0x0F];
    out += ' ';
  }
  return out;
}

// Slice of a wait: never longer than the pump interval, never negative.
microseconds Slice(Clock::Duration remaining) {
  const auto us = duration_cast<microseconds>(remaining);
  return std::clamp(us, microseconds(1), microseconds(Link::kPumpInterval));
}

// Clears the nested-exchange flag however the exchange ends.
class ExchangeFlag {
 public:
  explicit ExchangeFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ExchangeFlag() { flag_ = false; }
  ExchangeFlag(const ExchangeFlag&) = delete;
  ExchangeFlag& operator=(const ExchangeFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

Link::Link(LinkHooks& hooks, Clock& clock) : hooks_(hooks), clock_(clock) {}

bool Link::Open(const std::string& name, std::int32_t baud, OpenFailure* failure) {
  Close();
  PortHandle = OpenPort(name, baud, failure, {&clock_, &hooks_});
  baud_ = PortHandle ? baud : 0;
  if (PortHandle) name_ = name;
  return PortHandle != nullptr;
}

void Link::Close() {
  PortHandle.reset();
  name_.clear();
  baud_ = 0;
  tail_possible_ = false;
}

void Link::ReopenLostPort() {
  if (!PortHandle || !PortHandle->Lost() || name_.empty()) return;
  const SerialPort* lost = PortHandle.get();
  auto fresh = OpenPort(name_, baud_, nullptr, {&clock_, &hooks_});
  // Opening pumps: a handler may have closed or replaced the port meanwhile.
  if (fresh && PortHandle.get() == lost) {
    PortHandle = std::move(fresh);
    tail_possible_ = false;
  }
}

bool Link::PortUsable() const { return PortHandle && !PortHandle->Lost(); }

Clock::Duration Link::InterFrameGap(std::int32_t baud) {
  // Modbus RTU: 3.5 character times of 11 bits below 19200 baud, 1.75 ms above (and
  // when the rate is not known).
  return baud >= 19200 || baud <= 0 ? microseconds(1750) : microseconds(38500000LL / baud);
}

void Link::WaitInterFrameGap() {
  if (!PortUsable()) return;
  const auto gap = InterFrameGap(baud_);
  if (tail_possible_) {
    // A reply taken at its length may run on: what comes within the gap belongs to it
    // and is dropped. A device that never falls silent is cut off at the end-of-reply
    // silence.
    tail_possible_ = false;
    DrainUntilSilence(gap, clock_.Now() + kEndOfReplySilence);
    return;
  }
  const auto since = clock_.Now() - last_rx_;
  if (since < gap) clock_.Sleep(gap - since);
}

void Link::WriteRequest(const std::uint8_t* bytes, std::size_t n) {
  ReopenLostPort();
  WaitInterFrameGap();
  // The wait pumps, and a nested handler may have closed the port.
  if (PortUsable()) {
    PortHandle->Purge();
    PortHandle->Write(bytes, n);
  }
  hooks_.PumpMessages();
  hooks_.RequestWritten();
}

void Link::DrainUntilSilence(Clock::Duration silence, Clock::TimePoint limit) {
  std::uint8_t scratch[256];
  // At least one read: bytes already waiting restart the silence.
  do {
    if (!PortUsable()) return;
    const auto remaining = std::min(last_rx_ + silence, limit) - clock_.Now();
    const std::size_t got = PortHandle->Read(scratch, sizeof scratch, Slice(remaining));
    const auto read_at = clock_.Now();
    hooks_.PumpMessages();
    if (got > 0) last_rx_ = read_at;
  } while (clock_.Now() < std::min(last_rx_ + silence, limit));
}

std::size_t Link::ReadUntilSilence(std::span<std::uint8_t> buffer, std::size_t count,
                                   Clock::Duration silence, ReplyFraming framing,
                                   Clock::TimePoint& last_byte) {
  while (count < buffer.size()) {
    if (framing == ReplyFraming::kLongHeader && IsCompleteLongReply(buffer.data(), count)) break;
    const auto remaining = last_byte + silence - clock_.Now();
    if (remaining <= Clock::Duration::zero() || !PortUsable()) break;
    const std::size_t got =
        PortHandle->Read(buffer.data() + count, buffer.size() - count, Slice(remaining));
    // The silence runs from the byte's arrival, not from the end of the pump.
    const auto read_at = clock_.Now();
    hooks_.PumpMessages();
    if (got > 0) {
      count += got;
      last_byte = last_rx_ = read_at;
    }
  }
  return count;
}

std::size_t Link::ReadReply(std::span<std::uint8_t> buffer, ReplyFraming framing) {
  if (buffer.empty()) return 0;
  const auto deadline = clock_.Now() + first_byte_wait_;
  std::size_t count = 0;
  int failed_reads = 0;
  while (count == 0) {
    if (!PortUsable()) {
      // Every read fails at once: only the pauses of the first-byte wait remain.
      if (++failed_reads > kFirstByteAttempts || clock_.Now() >= deadline) return 0;
      clock_.Sleep(kFirstBytePause);
      hooks_.PumpMessages();
      continue;
    }
    const auto remaining = deadline - clock_.Now();
    if (remaining <= Clock::Duration::zero()) return 0;
    count = PortHandle->Read(buffer.data(), buffer.size(), Slice(remaining));
    const auto read_at = clock_.Now();
    hooks_.PumpMessages();
    if (count > 0) last_rx_ = read_at;
  }
  auto last_byte = last_rx_;
  count = ReadUntilSilence(buffer, count, kEndOfReplySilence, framing, last_byte);
  tail_possible_ = framing == ReplyFraming::kLongHeader && IsCompleteLongReply(buffer.data(), count);
  // A reply longer than the buffer: what does not fit is read and dropped, so it
  // cannot precede the next reply.
  if (count == buffer.size() && !tail_possible_) {
    DrainUntilSilence(kEndOfReplySilence, clock_.Now() + kFirstByteWait);
  }
  hooks_.ReplyReceived();
  hooks_.PumpMessages();
  return count;
}

std::size_t Link::ReadAnyBytes(std::span<std::uint8_t> buffer) {
  if (buffer.empty()) return 0;
  std::size_t count = 0;
  while (count == 0) {
    if (hooks_.AbandonWait()) return 0;
    if (PortUsable()) {
      count = PortHandle->Read(buffer.data(), buffer.size(), kPumpInterval);
    } else {
      clock_.Sleep(kPumpInterval);
    }
    const auto read_at = clock_.Now();
    hooks_.PumpMessages();
    if (count > 0) last_rx_ = read_at;
  }
  auto last_byte = last_rx_;
  count = ReadUntilSilence(buffer, count, kReadTimeout, ReplyFraming::kSilence, last_byte);
  hooks_.PumpMessages();
  return count;
}

void Link::NoteNoReply() {
  if (!PortHandle) {
    last_failure_ = LinkFailure::kPortNotOpen;
  } else if (PortHandle->Lost()) {
    last_failure_ = LinkFailure::kPortGone;
  } else {
    last_failure_ = LinkFailure::kSilent;
  }
}

bool Link::AcceptLongReply(std::span<const std::uint8_t> buffer, std::size_t count,
                           std::size_t min_length) {
  if (count == 0) return false;  // Exchange() noted why
  last_failure_ = JudgeLongReply(buffer.data(), count);
  if (last_failure_ == LinkFailure::kNone && LongReplyLength(buffer.data()) < min_length) {
    last_failure_ = LinkFailure::kShortReply;
  }
  return last_failure_ == LinkFailure::kNone;
}

std::size_t Link::Exchange(std::span<std::uint8_t> buffer, std::size_t n, ReplyFraming framing) {
  if (in_exchange_ || n > buffer.size()) {
    last_failure_ = LinkFailure::kRefused;
    return 0;
  }
  ExchangeFlag flag(in_exchange_);
  WriteRequest(buffer.data(), n);
  const std::size_t count = ReadReply(buffer, framing);
  if (count == 0) {
    NoteNoReply();
  } else {
    last_failure_ = LinkFailure::kNone;
  }
  return count;
}

bool Link::ExchangeAck(std::span<std::uint8_t> buffer, std::size_t n) {
  return Exchange(buffer, n, ReplyFraming::kLongHeader) > 0;
}

std::size_t Link::ExchangeRaw(std::span<std::uint8_t> buffer, std::size_t n) {
  // Its result is the count of bytes, so the reply ends at the silence, not its length.
  return Exchange(buffer, n, ReplyFraming::kSilence);
}

std::int32_t Link::ExchangeWord(std::span<std::uint8_t> buffer, std::size_t n) {
  const std::size_t count = Exchange(buffer, n, ReplyFraming::kLongHeader);
  if (!AcceptLongReply(buffer, count, 6)) return 0;
  return buffer[8] | (buffer[9] << 8);
}

std::int32_t Link::ExchangeInt32(std::span<std::uint8_t> buffer, std::size_t n) {
  const std::size_t count = Exchange(buffer, n, ReplyFraming::kLongHeader);
  if (!AcceptLongReply(buffer, count, 8)) return 0;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | buffer[8 + i];
  return static_cast<std::int32_t>(value);
}

float Link::ExchangeFloat(std::span<std::uint8_t> buffer, std::size_t n) {
  const std::size_t count = Exchange(buffer, n, ReplyFraming::kLongHeader);
  if (!AcceptLongReply(buffer, count, 8)) return 0.0F;
  std::uint32_t bits = 0;
  for (int i = 3; i >= 0; --i) bits = (bits << 8) | buffer[8 + i];
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::int32_t Link::ExchangeData(std::span<std::uint8_t> buffer, std::size_t n) {
  const std::size_t count = Exchange(buffer, n, ReplyFraming::kLongHeader);
  if (!AcceptLongReply(buffer, count, 4)) return 0;
  const std::size_t data_length = LongReplyLength(buffer.data()) - 4;
  if (data_length == 0) last_failure_ = LinkFailure::kNoData;
  // memmove: source and destination overlap.
  std::memmove(buffer.data(), buffer.data() + 8, data_length);
  return static_cast<std::int32_t>(data_length);
}

bool Link::SendShortRequest(ShortBuffer& buffer, std::size_t n, std::size_t* received) {
  if (n < 4 || n > buffer.size()) return false;
  hooks_.Trace("bool Send =" + std::to_string(n));
  hooks_.Trace(HexLine(buffer.data() + 4, n - 4));
  std::size_t count = 0;
  last_failure_ = LinkFailure::kRefused;
  if (!in_exchange_) {
    ExchangeFlag flag(in_exchange_);
    WriteRequest(buffer.data(), n);
    std::fill_n(buffer.begin(), 4, 0);
    count = ReadReply(buffer, ReplyFraming::kSilence);
    if (count == 0) NoteNoReply();
  } else {
    std::fill_n(buffer.begin(), 4, 0);
  }
  hooks_.Trace("bool Send, ReadBuf=" + std::to_string(count) + " " + std::to_string(buffer[0]) +
               " " + std::to_string(buffer[1]));
  if (received != nullptr) *received = count;
  const bool valid = IsValidShortReply(buffer.data(), count);
  if (valid) {
    last_failure_ = LinkFailure::kNone;
  } else if (count > 0) {
    last_failure_ = LinkFailure::kShortReply;
  }
  return valid;
}

std::int32_t Link::ExchangeWordCommand(std::uint8_t code) {
  FrameLength = static_cast<std::int32_t>(BuildCommandRequest(TransferFrame, code));
  return ExchangeWord(TransferFrame, static_cast<std::size_t>(FrameLength));
}

bool Link::ExchangeAckCommand(std::uint8_t code) {
  FrameLength = static_cast<std::int32_t>(BuildCommandRequest(TransferFrame, code));
  return ExchangeAck(TransferFrame, static_cast<std::size_t>(FrameLength));
}

}  // namespace tarvex
