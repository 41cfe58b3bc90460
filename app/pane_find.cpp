#include "app/pane_find.h"

#include <algorithm>

namespace tarvex {
namespace {

// Lower case of the letters that code page 1251 has in both cases.
char16_t Folded(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 0x20;
  if (c >= u'\u0410' && c <= u'\u042F') return c + 0x20;  // А..Я
  if (c >= u'\u0400' && c <= u'\u040F') return c + 0x50;  // Ѐ..Џ, Ё among them
  if (c == u'\u0490') return u'\u0491';                   // Ґ
  return c;
}

}  // namespace

std::optional<PaneSpan> FindInPane(std::u16string_view text, const PaneFindQuery& query, PaneSpan selection) {
  if (query.what.empty() || query.what.size() > text.size()) return std::nullopt;
  const auto same = [&](char16_t a, char16_t b) { return query.match_case ? a == b : Folded(a) == Folded(b); };
  const std::size_t last_start = text.size() - query.what.size();
  const auto matches_at = [&](std::size_t at) {
    return std::equal(query.what.begin(), query.what.end(), text.begin() + static_cast<std::ptrdiff_t>(at), same);
  };
  if (query.down) {
    for (std::size_t at = selection.end; at <= last_start; ++at) {
      if (matches_at(at)) return PaneSpan{at, at + query.what.size()};
    }
    return std::nullopt;
  }
  if (selection.start < query.what.size()) return std::nullopt;
  for (std::size_t at = std::min(selection.start - query.what.size(), last_start) + 1; at-- > 0;) {
    if (matches_at(at)) return PaneSpan{at, at + query.what.size()};
  }
  return std::nullopt;
}

}  // namespace tarvex
