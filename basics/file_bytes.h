// Whole files as bytes, unchanged (no line-end or code page translation).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace tarvex {

// The file's bytes; nothing when it is missing, not a regular file or unreadable.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);

// Replaces the file with `bytes`; false unless all of them were written.
bool WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

}  // namespace tarvex
