// Moving the configuration text between the controller and a buffer, and the
// short-header service commands that belong to it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

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

// Where a configuration transfer stopped, for the trace-less front ends.
enum class TransferStep : std::uint8_t {
  kNone,     // it went through
  kRefused,  // nothing sent: an empty text, or one without room for its terminating 0
  kStart,    // the start command got no valid reply (61 or 24 for a read, 21 for a write)
  kBlock,    // block number `block` failed
  kStop,     // the stop command (23) got no valid reply
};

struct TransferResult {
  std::int32_t bytes = 0;  // text bytes read or written; 0 on failure
  TransferStep failed = TransferStep::kNone;
  std::size_t block = 0;   // with kBlock: the failed block, counted from 1
  explicit operator bool() const { return failed == TransferStep::kNone; }
};

// Clears `destination` and reads the configuration (61) or test configuration (24)
// into it. Fails on any failed exchange, at the block that would leave no room for
// the terminating 0, and on an empty text (at block 1: the controller answered no
// text).
TransferResult UploadConfig(Link& link, std::span<std::uint8_t> destination);
TransferResult UploadTestConfig(Link& link, std::span<std::uint8_t> destination);

// START, blocks of at most 40 bytes, STOP; the first failed step ends it (traced).
// Refused for an empty text or one of kConfigTextSize bytes or more.
TransferResult DownloadConfig(Link& link, std::span<const std::uint8_t> source);

// -1 when the exchange failed, else the controller's verdict (reply byte 1).
std::int32_t TestConfig(Link& link);
// What a verdict other than 0 means: "bad json", "no memory", "no file" or nothing.
std::string ConfigVerdictText(std::int32_t verdict);
bool SetTest(Link& link);
bool SendReboot(Link& link);

}  // namespace tarvex
