#include "basics/cp1251_table.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(Cp1251TableTest, EveryByteSurvivesARoundTripAndRussianHasItsCodes) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(byte)), byte) << b;
  }
  EXPECT_EQ(UnicodeToCp1251(U'А'), 0xC0);
  EXPECT_EQ(UnicodeToCp1251(U'я'), 0xFF);
  EXPECT_EQ(UnicodeToCp1251(U'Ё'), 0xA8);
  EXPECT_EQ(UnicodeToCp1251(U'№'), 0xB9);
  EXPECT_EQ(Cp1251ToUnicode(0xE4), u'д');
}

TEST(Cp1251TableTest, CharactersOutsideThePageBecomeAQuestionMark) {
  EXPECT_EQ(UnicodeToCp1251(U'中'), '?');
  EXPECT_EQ(UnicodeToCp1251(U'\U0001F600'), '?');
  EXPECT_EQ(UnicodeToCp1251(0xD83D), '?');  // a lone surrogate
}

}  // namespace
}  // namespace tarvex
