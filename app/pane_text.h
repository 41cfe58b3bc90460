// A pane's text as a toolkit's text control holds it. Only CR LF breaks a line; a
// control would break a line at a lone CR or LF as well, so those stand in it as their
// control pictures (U+240D, U+240A), which keep them visible as characters of their
// line and read back as the bytes they were.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// `line_break`: what breaks a line in the control ("\n" or "\r\n").
std::u16string ShownPaneText(std::string_view cp1251, std::u16string_view line_break);
std::string PaneBytes(std::u16string_view shown, std::u16string_view line_break);

}  // namespace tarvex
