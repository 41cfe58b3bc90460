#include "app/pane_find.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(PaneFindTest, FindsDownFromTheSelectionsEndAndUpBeforeItsStart) {
  const std::u16string text = u"alarm\r\nok\r\nalarm";
  const PaneFindQuery down{.what = u"alarm"};
  EXPECT_EQ(FindInPane(text, down, {0, 0}), (PaneSpan{0, 5}));
  EXPECT_EQ(FindInPane(text, down, {0, 5}), (PaneSpan{11, 16}));
  EXPECT_EQ(FindInPane(text, down, {11, 16}), std::nullopt);
  const PaneFindQuery up{.what = u"alarm", .down = false};
  EXPECT_EQ(FindInPane(text, up, {11, 16}), (PaneSpan{0, 5}));
  EXPECT_EQ(FindInPane(text, up, {16, 16}), (PaneSpan{11, 16}));
  EXPECT_EQ(FindInPane(text, up, {0, 5}), std::nullopt);
  EXPECT_EQ(FindInPane(text, {.what = u""}, {0, 0}), std::nullopt);
}

TEST(PaneFindTest, CaseFoldsLatinAndCyrillicIncludingYoUnlessMatchCase) {
  const std::u16string text = u"Ошибка: ЁЛКА Ґ Alarm ЎЇ";
  EXPECT_EQ(FindInPane(text, {.what = u"ошибка"}, {0, 0}), (PaneSpan{0, 6}));
  EXPECT_EQ(FindInPane(text, {.what = u"ёлка ґ alarm ўї"}, {0, 0}), (PaneSpan{8, 23}));
  EXPECT_EQ(FindInPane(text, {.what = u"ёлка", .match_case = true}, {0, 0}), std::nullopt);
  EXPECT_EQ(FindInPane(text, {.what = u"ЁЛКА", .match_case = true}, {0, 0}), (PaneSpan{8, 12}));
  // "е" is no "ё".
  EXPECT_EQ(FindInPane(text, {.what = u"елка"}, {0, 0}), std::nullopt);
}

}  // namespace
}  // namespace tarvex
