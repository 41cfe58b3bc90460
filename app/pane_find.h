// Finding text in a pane, as the find box of both renderers does: the text as the
// toolkit's control holds it (UTF-16), positions as the control counts them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

struct PaneFindQuery {
  std::u16string what;
  bool match_case = false;
  bool down = true;
};

// A piece of a pane's text: [start, end).
struct PaneSpan {
  std::size_t start = 0;
  std::size_t end = 0;
  bool operator==(const PaneSpan&) const = default;
};

// The first match that starts at or after the selection's end (down), or the last one
// that ends at or before its start (up); nothing for an empty query or none left.
// Without match_case, the letters of code page 1251 match either case: Latin and
// Cyrillic, "Ё" and "ё" included.
std::optional<PaneSpan> FindInPane(std::u16string_view text, const PaneFindQuery& query, PaneSpan selection);

}  // namespace tarvex
