#include "app/pane_text.h"

#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

constexpr char16_t kCrPicture = 0x240D;
constexpr char16_t kLfPicture = 0x240A;

}  // namespace

std::u16string ShownPaneText(std::string_view cp1251, std::u16string_view line_break) {
  const std::u16string text = Utf16FromCp1251(cp1251);
  std::u16string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      shown += line_break;
      ++i;
    } else if (text[i] == u'\r') {
      shown += kCrPicture;
    } else if (text[i] == u'\n') {
      shown += kLfPicture;
    } else {
      shown += text[i];
    }
  }
  return shown;
}

std::string PaneBytes(std::u16string_view shown, std::u16string_view line_break) {
  std::u16string text;
  text.reserve(shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown.substr(i).starts_with(line_break)) {
      text += u"\r\n";
      i += line_break.size() - 1;
    } else if (shown[i] == kCrPicture) {
      text += u'\r';
    } else if (shown[i] == kLfPicture) {
      text += u'\n';
    } else {
      text += shown[i];
    }
  }
  return Cp1251FromUtf16(text);
}

}  // namespace tarvex
