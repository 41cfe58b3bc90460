#include "basics/config_file.h"

#include <algorithm>
#include <fstream>

namespace tarvex {
namespace {

LoadResult Fail(std::span<std::uint8_t> text, std::int32_t& length) {
  std::ranges::fill(text, std::uint8_t{0});
  length = 0;
  return LoadResult::kFailed;
}

}  // namespace

LoadResult LoadTextFile(const std::filesystem::path& path, std::span<std::uint8_t> text,
                        std::int32_t& length) {
  // Read and append: the file is created when missing and never truncated.
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::app | std::ios::binary);
  if (!file.is_open()) return Fail(text, length);
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0) return Fail(text, length);
  if (size == 0) return LoadResult::kEmpty;
  if (static_cast<std::uint64_t>(size) >= text.size()) return Fail(text, length);
  std::ranges::fill(text, std::uint8_t{0});
  file.seekg(0, std::ios::beg);
  file.read(reinterpret_cast<char*>(text.data()), size);
  if (file.gcount() != size) return Fail(text, length);
  length = static_cast<std::int32_t>(size);
  return LoadResult::kLoaded;
}

std::string_view TextUpToFirstZero(std::span<const std::uint8_t> bytes) {
  const auto end = std::ranges::find(bytes, std::uint8_t{0});
  return {reinterpret_cast<const char*>(bytes.data()),
          static_cast<std::size_t>(end - bytes.begin())};
}

std::string WithCrLfBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace tarvex
