#include "sim/model/fault.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace tarvex::sim {
namespace {

std::vector<std::string_view> SplitFields(std::string_view fault_text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t colon = fault_text.find(':', start);
    fields.push_back(fault_text.substr(start, colon - start));
    if (colon == std::string_view::npos) return fields;
    start = colon + 1;
  }
}

std::uint32_t ParseCount(std::string_view text, std::string_view fault_text) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    throw std::invalid_argument("bad number '" + std::string(text) + "' in fault '" +
                                std::string(fault_text) + "'");
  }
  return value;
}

FaultKind ParseKind(std::string_view name, std::string_view fault_text) {
  if (name == "silence") return FaultKind::kSilence;
  if (name == "bad-header-crc") return FaultKind::kBadHeaderCrc;
  if (name == "bad-packet-crc") return FaultKind::kBadPacketCrc;
  if (name == "pause") return FaultKind::kPause;
  if (name == "hangup") return FaultKind::kHangUp;
  throw std::invalid_argument("unknown fault kind '" + std::string(name) + "' in '" +
                              std::string(fault_text) + "'");
}

}  // namespace

Fault ParseFault(std::string_view fault_text) {
  const std::vector<std::string_view> fields = SplitFields(fault_text);
  Fault fault;
  std::size_t next = 0;
  const std::string_view target = fields[next++];
  if (target == "text") {
    fault.target = FaultTarget::kText;
  } else if (target == "long" || target == "short" || target == "block") {
    fault.target = target == "long"    ? FaultTarget::kLong
                   : target == "short" ? FaultTarget::kShort
                                       : FaultTarget::kBlock;
    if (next >= fields.size()) {
      throw std::invalid_argument("missing code in fault '" + std::string(fault_text) + "'");
    }
    const std::uint32_t code = ParseCount(fields[next++], fault_text);
    const bool block_op = code == kOpWriteBlock || code == kOpReadBlock;
    if (code > 255 || (fault.target == FaultTarget::kBlock && !block_op)) {
      throw std::invalid_argument("bad code in fault '" + std::string(fault_text) + "'");
    }
    fault.code = static_cast<std::uint8_t>(code);
  } else {
    throw std::invalid_argument("unknown fault target '" + std::string(target) + "' in '" +
                                std::string(fault_text) + "'");
  }

  if (next >= fields.size()) {
    throw std::invalid_argument("missing fault kind in '" + std::string(fault_text) + "'");
  }
  const std::string_view kind_field = fields[next++];
  const std::size_t eq = kind_field.find('=');
  fault.kind = ParseKind(kind_field.substr(0, eq), fault_text);
  const bool timed = fault.kind == FaultKind::kPause || fault.kind == FaultKind::kHangUp;
  if (eq != std::string_view::npos) {
    if (!timed) {
      throw std::invalid_argument("only pause and hangup take a duration: '" +
                                  std::string(fault_text) + "'");
    }
    fault.duration = std::chrono::milliseconds(ParseCount(kind_field.substr(eq + 1), fault_text));
  } else if (timed) {
    fault.duration = fault.kind == FaultKind::kPause ? kDefaultPause : kDefaultHangUp;
  }

  for (; next < fields.size(); ++next) {
    const std::string_view option = fields[next];
    if (option.starts_with("after=")) {
      fault.after = ParseCount(option.substr(6), fault_text);
    } else if (option.starts_with("count=")) {
      fault.count = ParseCount(option.substr(6), fault_text);
    } else {
      throw std::invalid_argument("unknown option '" + std::string(option) + "' in fault '" +
                                  std::string(fault_text) + "'");
    }
  }
  return fault;
}

std::pair<FaultTarget, std::uint8_t> FaultTargetOf(const Request& request) {
  switch (request.kind) {
    case RequestKind::kLongHeader:
      return {FaultTarget::kLong, request.bytes[6]};
    case RequestKind::kShortHeader:
      if (request.bytes[5] == kOpCommand) return {FaultTarget::kShort, request.bytes[9]};
      return {FaultTarget::kBlock, request.bytes[5]};
    case RequestKind::kResetText:
      break;
  }
  return {FaultTarget::kText, 0};
}

void ApplyFault(const Fault& fault, RequestKind kind, Reply& reply) {
  if (reply.chunks.empty()) return;
  std::vector<std::uint8_t> bytes = reply.Bytes();
  switch (fault.kind) {
    case FaultKind::kSilence:
      reply.chunks.clear();
      return;
    case FaultKind::kHangUp:
      reply.chunks.clear();
      reply.hang_up = true;
      reply.hang_up_for = fault.duration;
      return;
    case FaultKind::kBadHeaderCrc:
      if (kind == RequestKind::kShortHeader) {
        bytes[0] = 0;
        bytes[1] = 0;
      } else {
        bytes[4] ^= 0xFF;
      }
      reply.chunks = {ReplyChunk{{}, std::move(bytes)}};
      return;
    case FaultKind::kBadPacketCrc:
      bytes.back() ^= 0xFF;
      reply.chunks = {ReplyChunk{{}, std::move(bytes)}};
      return;
    case FaultKind::kPause: {
      const auto half = bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() / 2);
      reply.chunks = {ReplyChunk{{}, std::vector<std::uint8_t>(bytes.begin(), half)},
                      ReplyChunk{fault.duration, std::vector<std::uint8_t>(half, bytes.end())}};
      return;
    }
  }
}

void FaultTable::Add(const Fault& fault) { entries_.push_back(Entry{fault, 0}); }

std::optional<Fault> FaultTable::Take(const Request& request) {
  const auto [target, code] = FaultTargetOf(request);
  std::optional<Fault> due;
  for (Entry& entry : entries_) {
    const Fault& f = entry.fault;
    if (f.target != target || (target != FaultTarget::kText && f.code != code)) continue;
    const std::uint32_t index = entry.seen++;
    const bool started = index >= f.after;
    const bool within = f.count == 0 || index - f.after < f.count;
    if (!due && started && within) due = f;
  }
  return due;
}

}  // namespace tarvex::sim
