#include "sim/model/request_splitter.h"

#include <algorithm>

#include "link/crc16.h"
#include "link/frame.h"

namespace tarvex::sim {
namespace {

constexpr std::uint8_t kShortHeaderCrcLow = 0x03;
constexpr std::uint8_t kShortHeaderCrcHigh = 0x0B;
constexpr std::size_t kLongHeaderSize = 6;
constexpr std::size_t kMinPacket = 4;  // code, kind, packet checksum
constexpr std::size_t kShortCommandSize = 12;

bool StartsCandidate(std::uint8_t b) { return b == kFrameLead || b == kResetText.front(); }

}  // namespace

std::vector<Request> RequestSplitter::Feed(std::span<const std::uint8_t> bytes) {
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  std::vector<Request> requests;
  while (!pending_.empty()) {
    std::size_t length = 0;
    RequestKind kind = RequestKind::kLongHeader;
    const Verdict verdict = Examine(length, kind);
    if (verdict == Verdict::kNeedMore) break;
    if (verdict == Verdict::kNoRequest) {
      SkipToNextCandidate();
      continue;
    }
    const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(length);
    requests.push_back(Request{kind, std::vector<std::uint8_t>(pending_.begin(), end)});
    pending_.erase(pending_.begin(), end);
  }
  return requests;
}

void RequestSplitter::SkipToNextCandidate() {
  const auto next = std::find_if(pending_.begin() + 1, pending_.end(), StartsCandidate);
  pending_.erase(pending_.begin(), next);
}

RequestSplitter::Verdict RequestSplitter::Examine(std::size_t& length,
                                                  RequestKind& kind) const {
  const std::vector<std::uint8_t>& p = pending_;
  const std::size_t have = p.size();

  if (p[0] == kResetText.front()) {
    const std::size_t n = std::min(have, kResetText.size());
    if (!std::equal(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(n), kResetText.begin())) {
      return Verdict::kNoRequest;
    }
    if (have < kResetText.size()) return Verdict::kNeedMore;
    kind = RequestKind::kResetText;
    length = kResetText.size();
    return Verdict::kComplete;
  }

  if (p[0] != kFrameLead) return Verdict::kNoRequest;
  if (have < 2) return Verdict::kNeedMore;
  if (p[1] != kFrameKind) return Verdict::kNoRequest;
  if (have < 4) return Verdict::kNeedMore;

  if (p[2] == kShortHeaderCrcLow && p[3] == kShortHeaderCrcHigh) {
    if (have < 6) return Verdict::kNeedMore;
    if (p[4] != 1) return Verdict::kNoRequest;
    if (p[5] == kOpCommand) {
      length = kShortCommandSize;
    } else if (p[5] == kOpWriteBlock || p[5] == kOpReadBlock) {
      if (have < 10) return Verdict::kNeedMore;
      const std::size_t n = p[9];
      if (n == 0 || n > kMaxWriteBlock) return Verdict::kNoRequest;
      length = kShortCommandSize + n;
    } else {
      return Verdict::kNoRequest;
    }
    kind = RequestKind::kShortHeader;
    return have < length ? Verdict::kNeedMore : Verdict::kComplete;
  }

  if (have < kLongHeaderSize) return Verdict::kNeedMore;
  if (!CheckCrc16(p.data(), 4)) return Verdict::kNoRequest;
  const std::size_t packet = p[2] | (static_cast<std::size_t>(p[3]) << 8);
  if (packet < kMinPacket || kLongHeaderSize + packet > kTransferFrameSize) {
    return Verdict::kNoRequest;
  }
  kind = RequestKind::kLongHeader;
  length = kLongHeaderSize + packet;
  return have < length ? Verdict::kNeedMore : Verdict::kComplete;
}

}  // namespace tarvex::sim
