#include "basics/cp1251_text.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(Cp1251TextTest, EveryByteSurvivesARoundTripAndRussianHasItsCodes) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Cp1251FromUtf16(Utf16FromCp1251(all)), all);
  EXPECT_EQ(Cp1251FromUtf8(Utf8FromCp1251(all)), all);
  EXPECT_EQ(Cp1251FromUtf8("Вы уверены? Ёё №"), "\xC2\xFB \xF3\xE2\xE5\xF0\xE5\xED\xFB? \xA8\xB8 \xB9");
  EXPECT_EQ(Utf16FromCp1251("\xCF\xE5\xF0\xE8\xEE\xE4"), u"Период");
}

TEST(Cp1251TextTest, CharactersOutsideThePageAndMalformedBytesBecomeOneQuestionMark) {
  EXPECT_EQ(Cp1251FromUtf8("a中b"), "a?b");
  // A character outside the basic plane is two UTF-16 units but one '?'.
  EXPECT_EQ(Cp1251FromUtf16(u"x\U0001F600y"), "x?y");
  EXPECT_EQ(Cp1251FromUtf8("x\xF0\x9F\x98\x80y"), "x?y");
  // A cut sequence and a stray continuation byte.
  EXPECT_EQ(Cp1251FromUtf8("a\xD0"), "a?");
  EXPECT_EQ(Cp1251FromUtf8("\x80z"), "?z");
}

}  // namespace
}  // namespace tarvex
