// Whole texts between code page 1251 (the controller's and the window logic's) and
// the Unicode forms the toolkits and the file system speak.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvex {

std::u16string Utf16FromCp1251(std::string_view bytes);
std::string Utf8FromCp1251(std::string_view bytes);

// A character without a code in the page becomes '?'; so does each malformed
// sequence, and a character outside the basic plane is one '?', not two.
std::string Cp1251FromUtf16(std::u16string_view text);
std::string Cp1251FromUtf8(std::string_view text);

// A file name as the window shows it in a caption or a message.
inline std::string Cp1251FromPath(const std::filesystem::path& path) {
  return Cp1251FromUtf16(path.u16string());
}

}  // namespace tarvex
