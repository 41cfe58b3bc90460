// Cuts the byte stream from the line into whole requests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/model/request.h"

namespace tarvex::sim {

// A long-header request is as long as its length field says (6 + L) once its header
// checksum is good; a short-header request by its operation (single command 12 bytes,
// block 12 + n with n at offset 9); the reset text is its 14 characters. Bytes that
// start none of these are skipped, up to the next 5, 100 or "{". Checksums of the
// packets are left to whoever answers the request.
class RequestSplitter {
 public:
  // Takes the bytes that arrived; returns every request that they complete, in order.
  std::vector<Request> Feed(std::span<const std::uint8_t> bytes);

  // True while a request has begun but not ended.
  bool HasPartial() const { return !pending_.empty(); }
  // Forgets a request begun but not ended (a sender that gave up mid-request).
  void Reset() { pending_.clear(); }

 private:
  enum class Verdict { kNeedMore, kNoRequest, kComplete };
  // Judges the bytes at the front of pending_; sets `length` when complete.
  Verdict Examine(std::size_t& length, RequestKind& kind) const;
  void SkipToNextCandidate();

  std::vector<std::uint8_t> pending_;
};

}  // namespace tarvex::sim
