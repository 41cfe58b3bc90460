// Moving the configuration text between the controller and a buffer, and the
// short-header service commands that belong to it.
#pragma once

#include <cstdint>
#include <span>

#include "link/link.h"

namespace tarvex {

inline constexpr std::size_t kConfigTextSize = 50000;

// Short-header command codes.
enum ConfigCommand : std::uint8_t {
  kConfigWriteStart = 21,
  kConfigWriteStop = 23,
  kTestConfigRead = 24,
  kSetTestCommand = 54,
  kTestConfigCommand = 55,
  kConfigRead = 61,
  kRebootCommand = 99,
};

// Reads the configuration (61) or test configuration (24) into `destination`, which
// must be cleared. Returns the bytes read; 0 on any failure, on an empty text, and
// when the text would not leave room for its terminating 0 in `destination`.
std::int32_t UploadConfig(Link& link, std::span<std::uint8_t> destination);
std::int32_t UploadTestConfig(Link& link, std::span<std::uint8_t> destination);

// START, blocks of at most 40 bytes, STOP. False for an empty text or one of
// kConfigTextSize bytes or more (nothing sent), and at the first failed step (traced).
bool DownloadConfig(Link& link, std::span<const std::uint8_t> source);

// -1 when the exchange failed, else the controller's verdict (reply byte 1).
std::int32_t TestConfig(Link& link);
bool SetTest(Link& link);
bool SendReboot(Link& link);

}  // namespace tarvex
