// The one controller link: the open port, the shared transfer frame, and the
// request/reply exchanges built on them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "link/clock.h"
#include "link/frame.h"
#include "link/link_failure.h"
#include "link/link_hooks.h"
#include "link/serial_port.h"

namespace tarvex {

// How a reply is known to be complete besides the end-of-reply silence.
enum class ReplyFraming {
  kSilence,     // only the silence ends it (short-header replies, raw text)
  kLongHeader,  // also complete once 6 + L bytes with a good header checksum are in
};

class Link {
 public:
  // First-byte wait: 201 attempts of a 10 ms pause plus a 55 ms read time-out.
  static constexpr int kFirstByteAttempts = 201;
  static constexpr auto kFirstBytePause = std::chrono::milliseconds(10);
  static constexpr auto kReadTimeout = std::chrono::milliseconds(55);
  static constexpr auto kFirstByteWait = kFirstByteAttempts * (kFirstBytePause + kReadTimeout);
  // A reply ends at the first gap of the 4 ms pause plus one read time-out.
  static constexpr auto kEndOfReplySilence = std::chrono::milliseconds(59);
  // Longest wait between two message pumps while a read waits.
  static constexpr auto kPumpInterval = std::chrono::milliseconds(5);
  // The silence kept on the line before each request at `baud`.
  static Clock::Duration InterFrameGap(std::int32_t baud);

  Link(LinkHooks& hooks, Clock& clock);

  std::unique_ptr<SerialPort> PortHandle;
  TransferBuffer TransferFrame{};
  std::int32_t FrameLength = 0;

  LinkHooks& hooks() { return hooks_; }
  Clock& clock() { return clock_; }
  // True while an exchange waits on the port; a nested exchange is refused.
  bool InExchange() const { return in_exchange_; }
  // Shortens the first-byte wait of every reply from now on, for a search that asks
  // many ports whether anything answers (at most kFirstByteWait).
  void SetFirstByteWait(Clock::Duration wait) { first_byte_wait_ = std::min<Clock::Duration>(wait, kFirstByteWait); }

  // Opens the device into PortHandle (closing any open one first). False on failure,
  // described in `*failure` when given. A port opened here that is lost later (a
  // dropped connection, an unplugged adapter) is opened again by the next request.
  bool Open(const std::string& name, std::int32_t baud, OpenFailure* failure = nullptr);
  void Close();

  // Purges both queues, writes the bytes, pumps and marks " . ".
  void WriteRequest(const std::uint8_t* bytes, std::size_t n);
  // Reads one reply into `buffer` from offset 0; returns its length, 0 when no
  // first byte came within the first-byte wait. Marks " + " after a reply.
  std::size_t ReadReply(std::span<std::uint8_t> buffer,
                        ReplyFraming framing = ReplyFraming::kLongHeader);
  // Waits without time-out for at least one byte, reads on while bytes keep coming.
  // Returns 0 only when the hooks abandon the wait.
  std::size_t ReadAnyBytes(std::span<std::uint8_t> buffer);

  // Long-header exchanges: send the n request bytes of `buffer`, read the reply
  // into it and judge it. Failure is false / 0 / 0.0f.
  bool ExchangeAck(std::span<std::uint8_t> buffer, std::size_t n);
  std::size_t ExchangeRaw(std::span<std::uint8_t> buffer, std::size_t n);
  std::int32_t ExchangeWord(std::span<std::uint8_t> buffer, std::size_t n);
  std::int32_t ExchangeInt32(std::span<std::uint8_t> buffer, std::size_t n);
  float ExchangeFloat(std::span<std::uint8_t> buffer, std::size_t n);
  // Moves the L - 4 data bytes to offset 0 and returns their count.
  std::int32_t ExchangeData(std::span<std::uint8_t> buffer, std::size_t n);

  // Short-header sender with its three trace lines. True when a valid short reply
  // stands at offset 0 of `buffer`; `received` gets the reply's length.
  bool SendShortRequest(ShortBuffer& buffer, std::size_t n, std::size_t* received = nullptr);

  // Why the last exchange (long-header or short-header) failed; kNone after one that
  // succeeded.
  LinkFailure LastFailure() const { return last_failure_; }

  // Convenience over TransferFrame for the common 14-byte commands.
  std::int32_t ExchangeWordCommand(std::uint8_t code);
  bool ExchangeAckCommand(std::uint8_t code);

 private:
  // Runs write + read once, refusing a nested exchange. Returns the reply length.
  std::size_t Exchange(std::span<std::uint8_t> buffer, std::size_t n, ReplyFraming framing);
  // An open port whose device has not gone; rechecked after every pump, since a
  // nested handler may close the port.
  bool PortUsable() const;
  // Opens the port again by its name when it is lost; keeps the lost one when that fails.
  void ReopenLostPort();
  // Keeps the inter-frame silence before a request; after a reply taken at its length,
  // by reading and dropping its tail.
  void WaitInterFrameGap();
  // Notes why no byte of a reply came: the port, or the line's silence.
  void NoteNoReply();
  // Notes what is wrong with the `count` reply bytes in `buffer` as a long-header
  // reply with at least `min_length` (L) bytes of packet; true when nothing is.
  bool AcceptLongReply(std::span<const std::uint8_t> buffer, std::size_t count,
                       std::size_t min_length);
  // Reads on from `count` until `silence` passes without a byte (or the buffer is
  // full, or a long-header reply is complete); returns the new count.
  std::size_t ReadUntilSilence(std::span<std::uint8_t> buffer, std::size_t count,
                               Clock::Duration silence, ReplyFraming framing,
                               Clock::TimePoint& last_byte);
  // Reads and drops bytes until `silence` passes without one, or until `limit`.
  void DrainUntilSilence(Clock::Duration silence, Clock::TimePoint limit);

  LinkHooks& hooks_;
  Clock& clock_;
  std::string name_;
  std::int32_t baud_ = 0;
  Clock::Duration first_byte_wait_ = kFirstByteWait;
  bool in_exchange_ = false;
  Clock::TimePoint last_rx_{};
  // The last reply was taken at its length; bytes may still follow it.
  bool tail_possible_ = false;
  LinkFailure last_failure_ = LinkFailure::kNone;
};

}  // namespace tarvex
