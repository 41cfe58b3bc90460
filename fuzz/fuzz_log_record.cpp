// Any record bytes, any length up to what a reply can carry, rendered twice in a row
// (the second record sees the state the first one left).
#include "link/frame.h"
#include "log/log_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > tarvex::kTransferFrameSize) return 0;
  tarvex::LogRenderState state;
  const std::size_t half = size / 2;
  for (const auto& record : {std::span<const std::uint8_t>(data, half),
                             std::span<const std::uint8_t>(data + half, size - half)}) {
    const auto rendered = tarvex::RenderLogRecord(record, state);
    const std::string& file = rendered.file_bytes;
    if (file.size() < 2 || file[file.size() - 2] != '\r' || file.back() != '\n') __builtin_trap();
  }
  return 0;
}
