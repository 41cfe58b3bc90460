// The controller's script: download, upload and clear over long-header frames built
// in TransferFrame.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "link/link.h"

namespace tarvex {

inline constexpr std::uint8_t kScriptUploadCode = 14;
inline constexpr std::uint8_t kScriptClearCode = 25;

enum class ScriptOutcome : std::uint8_t {
  kDone,
  kTooLong,  // beyond kMaxScriptLength: nothing sent
  kNoReply,  // no valid reply came
};

// Sends `script` with command 12 (FrameLength = its length + 14).
ScriptOutcome DownloadScript(Link& link, std::span<const std::uint8_t> script);

// Asks for the script (command 14); nothing when the reply carries none.
std::optional<std::vector<std::uint8_t>> UploadScript(Link& link);

// Command 25; true when any reply came.
bool ClearScript(Link& link);

// The script carried by the first `received` bytes of a script upload reply: the bytes
// between the 8 leading bytes and the 2 checksum bytes. Nothing when 10 or fewer came,
// or when the reply is not as long as its header says (checksums are not judged).
std::optional<std::span<const std::uint8_t>> ScriptFromUploadReply(
    std::span<const std::uint8_t> reply);

}  // namespace tarvex
