// File and text rules of the configuration and script buffer, free of the window so
// that they can be tested and fuzzed on their own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "basics/file_bytes.h"

namespace tarvex {

enum class LoadResult {
  kLoaded,  // the file's bytes fill the text, length = file size
  kEmpty,   // a file of size 0 (created if it was missing): text and length untouched
  kFailed,  // not opened, not read in full, or too large: text cleared, length 0
};

// Opens `path` for reading and writing (creating it empty if missing), reads it whole
// into `text` and closes it. A file must leave room for the terminating 0 of `text`;
// a larger one is refused rather than cut, so that a later save cannot lose its end.
// Whatever happens, `length` never exceeds the text held in `text`.
LoadResult LoadTextFile(const std::filesystem::path& path, std::span<std::uint8_t> text,
                        std::int32_t& length);

// The text ends at its first 0 byte.
std::string_view TextUpToFirstZero(std::span<const std::uint8_t> bytes);

// Every lone CR and every lone LF becomes CR LF; CR LF stays as it is.
std::string WithCrLfBreaks(std::string_view text);

}  // namespace tarvex
