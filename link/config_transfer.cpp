#include "link/config_transfer.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace tarvex {
namespace {

constexpr std::uint8_t kReadBlock = 17;
constexpr std::uint8_t kWriteBlock = 16;
// What a read block's reply begins with: the packet's lead byte and the operation.
constexpr std::uint8_t kReadBlockReplyHeader[] = {1, kReadBlock};
// The count and the text, then the checksum; a reply may run on past that (padding).
constexpr std::size_t kReadBlockReplyFrame = 3 + 2;

bool SendCommand(Link& link, ShortBuffer& buffer, std::uint8_t code) {
  const std::size_t n = BuildShortRequest(code, buffer, nullptr, 0, 0, link.hooks());
  return link.SendShortRequest(buffer, n);
}

// Returns the bytes read, 0 on failure; `block` is the number of the last block asked
// for, 0 when the start command failed.
std::int32_t Upload(Link& link, std::uint8_t start_code, std::span<std::uint8_t> destination,
                    std::size_t& block) {
  // Each read block carries the byte at its address: a stale text must not go out.
  std::ranges::fill(destination, std::uint8_t{0});
  ShortBuffer buffer{};
  if (destination.empty() || !SendCommand(link, buffer, start_code)) return 0;
  // The last byte of the destination is kept for the terminating 0.
  const std::size_t capacity = destination.size() - 1;
  std::size_t address = 0;
  for (;;) {
    ++block;
    const std::uint8_t current = address < destination.size() ? destination[address] : 0;
    const std::size_t n = BuildShortReadRequest(kReadBlock, buffer, &current, 1,
                                                static_cast<std::uint16_t>(address), link.hooks());
    std::size_t received = 0;
    if (!link.SendShortRequest(buffer, n, &received)) return 0;
    // A block is refused for what it says, never for bytes after its checksum: the
    // header of some other reply (the rest of an earlier one standing before it), a
    // count that did not arrive whole, or more than fits.
    if (!std::equal(std::begin(kReadBlockReplyHeader), std::end(kReadBlockReplyHeader), buffer.begin())) return 0;
    // A valid reply of two bytes leaves byte 2 at the 0 the sender put there: the end.
    const std::size_t count = buffer[2];
    if (count == 0) return static_cast<std::int32_t>(address);
    if (received < kReadBlockReplyFrame + count || address + count > capacity) return 0;
    std::copy_n(buffer.begin() + 3, count, destination.begin() + static_cast<std::ptrdiff_t>(address));
    address += count;
    link.hooks().Trace("Upload ->(" + std::to_string(address) + ") ");
    link.hooks().Trace("UP_NEXT ->(" + std::to_string(kReadBlock) + ") ");
  }
}

TransferResult Failed(TransferStep step, std::size_t block = 0) { return {0, step, block}; }

TransferResult UploadResult(Link& link, std::uint8_t start_code, std::span<std::uint8_t> destination) {
  std::size_t block = 0;
  const std::int32_t bytes = Upload(link, start_code, destination, block);
  if (bytes != 0) return {bytes};
  return Failed(block == 0 ? TransferStep::kStart : TransferStep::kBlock, block);
}

}  // namespace

TransferResult UploadConfig(Link& link, std::span<std::uint8_t> destination) {
  return UploadResult(link, kConfigRead, destination);
}

TransferResult UploadTestConfig(Link& link, std::span<std::uint8_t> destination) {
  return UploadResult(link, kTestConfigRead, destination);
}

TransferResult DownloadConfig(Link& link, std::span<const std::uint8_t> source) {
  // Longer texts have no place in the controller's buffer nor in 16-bit addresses.
  if (source.empty() || source.size() >= kConfigTextSize) return Failed(TransferStep::kRefused);
  LinkHooks& hooks = link.hooks();
  ShortBuffer buffer{};
  if (!SendCommand(link, buffer, kConfigWriteStart)) {
    hooks.Trace("Command START Send not ok");
    return Failed(TransferStep::kStart);
  }
  hooks.Trace("Command START Send ok");
  for (std::size_t address = 0; address < source.size(); address += kMaxWriteBlock) {
    const std::size_t n = std::min(kMaxWriteBlock, source.size() - address);
    hooks.Trace("DOWN_NEXT   adr=" + std::to_string(address) + " n=" + std::to_string(n));
    const std::size_t length = BuildShortRequest(kWriteBlock, buffer, source.data() + address, n,
                                                 static_cast<std::uint16_t>(address), hooks);
    hooks.Trace("Command NEXT Send length = " + std::to_string(length));
    if (!link.SendShortRequest(buffer, length)) {
      hooks.Trace("Command NEXT Send not ok");
      return Failed(TransferStep::kBlock, address / kMaxWriteBlock + 1);
    }
    hooks.Trace("Command NEXT Send ok");
  }
  if (!SendCommand(link, buffer, kConfigWriteStop)) {
    hooks.Trace("Command STOP Send not ok");
    return Failed(TransferStep::kStop);
  }
  hooks.Trace("Command STOP Send ok!!!");
  return {static_cast<std::int32_t>(source.size())};
}

std::int32_t TestConfig(Link& link) {
  ShortBuffer buffer{};
  if (!SendCommand(link, buffer, kTestConfigCommand)) return -1;
  return buffer[1];
}

std::string ConfigVerdictText(std::int32_t verdict) {
  switch (verdict) {
    case 1: return "bad json";
    case 2: return "no memory";
    case 3: return "no file";
    default: return "";
  }
}

bool SetTest(Link& link) {
  ShortBuffer buffer{};
  return SendCommand(link, buffer, kSetTestCommand);
}

bool SendReboot(Link& link) {
  ShortBuffer buffer{};
  return SendCommand(link, buffer, kRebootCommand);
}

}  // namespace tarvex
