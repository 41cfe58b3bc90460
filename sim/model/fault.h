// Faults the simulated controller shows on demand, per kind of request.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/model/reply.h"
#include "sim/model/request.h"

namespace tarvex::sim {

enum class FaultTarget {
  kLong,   // long-header request with this command code
  kShort,  // short-header single command with this command code
  kBlock,  // block with this operation: 16 write, 17 read
  kText,   // the reset text
};

enum class FaultKind {
  kSilence,       // no reply at all
  kBadHeaderCrc,  // long reply: header checksum wrong; short reply: bytes 0, 1 both 0
  kBadPacketCrc,  // the reply's last checksum byte wrong
  kPause,         // the reply split in two halves with a pause between them
  kHangUp,        // no reply; the line goes dead and comes back after `duration`
};

struct Fault {
  FaultTarget target = FaultTarget::kLong;
  std::uint8_t code = 0;  // unused for kText
  FaultKind kind = FaultKind::kSilence;
  std::chrono::milliseconds duration{0};  // pause or hang-up length
  std::uint32_t after = 0;  // matching requests answered normally first
  std::uint32_t count = 0;  // requests it then spoils; 0 for all that follow
};

inline constexpr std::chrono::milliseconds kDefaultPause{200};
inline constexpr std::chrono::milliseconds kDefaultHangUp{500};

// "TARGET:KIND[=MS][:after=K][:count=N]" with TARGET one of long:CODE, short:CODE,
// block:16, block:17, text and KIND one of silence, bad-header-crc, bad-packet-crc,
// pause[=MS], hangup[=MS]. Throws std::invalid_argument naming what is wrong.
Fault ParseFault(std::string_view fault_text);

// Which fault target a request is, with its code.
std::pair<FaultTarget, std::uint8_t> FaultTargetOf(const Request& request);

// Spoils `reply` (the answer to a request of `kind`) the way `fault` says.
void ApplyFault(const Fault& fault, RequestKind kind, Reply& reply);

class FaultTable {
 public:
  void Add(const Fault& fault);
  // Counts the request against every fault that targets it and returns the first one
  // due to act on it, if any.
  std::optional<Fault> Take(const Request& request);

 private:
  struct Entry {
    Fault fault;
    std::uint32_t seen = 0;
  };
  std::vector<Entry> entries_;
};

}  // namespace tarvex::sim
