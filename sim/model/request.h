// One request as the controller receives it from the line.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvex::sim {

enum class RequestKind {
  kLongHeader,   // 5, 100, L, crc, then L bytes
  kShortHeader,  // 5, 100, 3, 11, 1, operation, ...
  kResetText,    // the plain text {"CRESET":222}
};

inline constexpr std::string_view kResetText = "{\"CRESET\":222}";

// Operations of a short-header request (byte 5).
inline constexpr std::uint8_t kOpCommand = 6;
inline constexpr std::uint8_t kOpWriteBlock = 16;
inline constexpr std::uint8_t kOpReadBlock = 17;

struct Request {
  RequestKind kind;
  std::vector<std::uint8_t> bytes;
};

}  // namespace tarvex::sim
