// Byte layouts of requests and replies, and the buffers they live in.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/link_failure.h"
#include "link/link_hooks.h"

namespace tarvex {

// Every request starts with these two bytes.
inline constexpr std::uint8_t kFrameLead = 5;
inline constexpr std::uint8_t kFrameKind = 100;

inline constexpr std::size_t kTransferFrameSize = 1003;
inline constexpr std::size_t kShortBufferSize = 1000;
inline constexpr std::size_t kCommandRequestLength = 14;
// The length fields of the script download carry only their low byte.
inline constexpr std::size_t kMaxScriptLength = 247;
inline constexpr std::size_t kMaxWriteBlock = 40;

using TransferBuffer = std::array<std::uint8_t, kTransferFrameSize>;
using ShortBuffer = std::array<std::uint8_t, kShortBufferSize>;

// Long-header command request: 5, 100, 8, 0, crc, code, 6, args, crc. Returns 14.
std::size_t BuildCommandRequest(std::span<std::uint8_t> buffer, std::uint8_t code,
                                const std::array<std::uint8_t, 4>& args = {});

// Record reads (log 26, archive 92): index low byte, high byte, 1, 0. Returns 14.
std::size_t BuildIndexedRequest(std::span<std::uint8_t> buffer, std::uint8_t code,
                                std::int32_t index);

// Script download (command 12, packet kind 12) for S script bytes: returns S + 14,
// or 0 (nothing written) when S exceeds kMaxScriptLength or the buffer.
std::size_t BuildScriptDownloadRequest(std::span<std::uint8_t> buffer,
                                       std::span<const std::uint8_t> script);

// L of a long-header reply: the 16-bit value at offsets 2..3.
std::uint16_t LongReplyLength(const std::uint8_t* reply);

// What is wrong with the first `received` bytes as a whole long-header reply:
// kNone when both checksums are good, kShortReply, kHeaderChecksum or
// kPacketChecksum otherwise. Never looks past `received`.
LinkFailure JudgeLongReply(const std::uint8_t* reply, std::size_t received);
// JudgeLongReply() finds nothing wrong.
bool IsValidLongReply(const std::uint8_t* reply, std::size_t received);

// True when the header is complete (6 bytes, good checksum) and 6 + L bytes are in:
// the reply needs no further bytes.
bool IsCompleteLongReply(const std::uint8_t* reply, std::size_t received);

// Short-header frames (configuration transfer).
void BuildShortHeader(std::uint8_t* buffer);
// n = 0: single command `code` (operation 6), 12 bytes, untraced. n > 0: write block
// (operation 16) of n <= 40 bytes at `address`, traced. Returns the request length,
// or 0 when n is too large for a block.
std::size_t BuildShortRequest(std::uint8_t code, ShortBuffer& buffer,
                              const std::uint8_t* data, std::size_t n,
                              std::uint16_t address, LinkHooks& hooks);
// The same with a read block (operation 17) for n > 0; the traced bytes carry no blanks.
std::size_t BuildShortReadRequest(std::uint8_t code, ShortBuffer& buffer,
                                  const std::uint8_t* data, std::size_t n,
                                  std::uint16_t address, LinkHooks& hooks);

// A short-header reply: at least 2 bytes and not both of bytes 0, 1 zero.
bool IsValidShortReply(const std::uint8_t* reply, std::size_t received);

}  // namespace tarvex
