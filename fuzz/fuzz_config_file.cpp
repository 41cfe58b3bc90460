// Any configuration or script file, and any script upload reply: loaded into a text
// buffer (smaller and larger than the file), shown with CR LF breaks.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include "basics/config_file.h"
#include "link/script_transfer.h"

namespace {

bool HasLoneBreak(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return true;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/tarvex-fuzz-config-" + std::to_string(::getpid());
  if (!tarvex::WriteFileBytes(path, {data, size})) __builtin_trap();
  std::array<std::uint8_t, 64> small{};
  std::array<std::uint8_t, 4096> large{};
  for (auto text : {std::span<std::uint8_t>(small), std::span<std::uint8_t>(large)}) {
    std::int32_t length = 7;
    tarvex::LoadTextFile(path, text, length);
    const auto shown = tarvex::TextUpToFirstZero(text);
    if (length < 0 || static_cast<std::size_t>(length) >= text.size() || text.back() != 0) __builtin_trap();
    if (HasLoneBreak(tarvex::WithCrLfBreaks(shown))) __builtin_trap();
  }
  const auto script = tarvex::ScriptFromUploadReply({data, size});
  if (script && (size <= 10 || script->size() != size - 10)) __builtin_trap();
  return 0;
}
