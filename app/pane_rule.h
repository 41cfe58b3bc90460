// The rule for adding a line to a pane, the same in every renderer: when the text is
// empty or ends in a line break (CR LF), the line and then CR LF; otherwise CR LF and
// then the line.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

inline std::string AddedText(bool ends_in_line_break, std::string_view line) {
  return ends_in_line_break ? std::string(line) + "\r\n" : "\r\n" + std::string(line);
}

inline bool EndsInLineBreak(std::string_view text) { return text.empty() || text.ends_with("\r\n"); }

}  // namespace tarvex
