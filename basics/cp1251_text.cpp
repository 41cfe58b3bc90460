#include "basics/cp1251_text.h"

#include <cstdint>

#include "basics/cp1251_table.h"

namespace tarvex {

std::u16string Utf16FromCp1251(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (const char c : bytes) text += Cp1251ToUnicode(static_cast<std::uint8_t>(c));
  return text;
}

std::string Utf8FromCp1251(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const char16_t u = Cp1251ToUnicode(static_cast<std::uint8_t>(c));
    if (u < 0x80) {
      text += static_cast<char>(u);
    } else if (u < 0x800) {
      text += static_cast<char>(0xC0 | (u >> 6));
      text += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      text += static_cast<char>(0xE0 | (u >> 12));
      text += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return text;
}

std::string Cp1251FromUtf16(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] < 0xE000;
    if (pair) ++i;
    bytes += static_cast<char>(pair ? '?' : UnicodeToCp1251(c));
  }
  return bytes;
}

std::string Cp1251FromUtf8(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = c << 6 | (next & 0x3F);
    }
    bytes += static_cast<char>(valid ? UnicodeToCp1251(c) : '?');
    i += valid ? length : 1;
  }
  return bytes;
}

}  // namespace tarvex
