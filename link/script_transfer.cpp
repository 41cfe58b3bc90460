#include "link/script_transfer.h"

namespace tarvex {

ScriptOutcome DownloadScript(Link& link, std::span<const std::uint8_t> script) {
  const std::size_t n = BuildScriptDownloadRequest(link.TransferFrame, script);
  // The length fields carry one byte: a longer script is refused rather than sent
  // with a wrong length.
  if (n == 0) return ScriptOutcome::kTooLong;
  link.FrameLength = static_cast<std::int32_t>(n);
  return link.ExchangeAck(link.TransferFrame, n) ? ScriptOutcome::kDone : ScriptOutcome::kNoReply;
}

std::optional<std::vector<std::uint8_t>> UploadScript(Link& link) {
  link.FrameLength = static_cast<std::int32_t>(BuildCommandRequest(link.TransferFrame, kScriptUploadCode));
  const std::size_t received = link.ExchangeRaw(link.TransferFrame, static_cast<std::size_t>(link.FrameLength));
  const auto script = ScriptFromUploadReply(std::span<const std::uint8_t>(link.TransferFrame.data(), received));
  if (!script) return std::nullopt;
  return std::vector<std::uint8_t>(script->begin(), script->end());
}

bool ClearScript(Link& link) { return link.ExchangeAckCommand(kScriptClearCode); }

std::optional<std::span<const std::uint8_t>> ScriptFromUploadReply(
    std::span<const std::uint8_t> reply) {
  constexpr std::size_t kLeading = 8;
  constexpr std::size_t kChecksum = 2;
  constexpr std::size_t kHeader = 6;
  if (reply.size() <= kLeading + kChecksum) return std::nullopt;
  // A reply cut short (the controller paused in the middle of it) would pass for a
  // shorter script: its header says how long it is.
  if (reply.size() != kHeader + LongReplyLength(reply.data())) return std::nullopt;
  return reply.subspan(kLeading, reply.size() - kLeading - kChecksum);
}

}  // namespace tarvex
