#include "basics/str_to_int.h"

#include <gtest/gtest.h>

#include "basics/conversion_error.h"
#include "basics/count_boxes.h"

namespace tarvex {
namespace {

std::string ErrorOf(std::string_view text) {
  try {
    StrToInt(text);
  } catch (const ConversionError& e) {
    return e.what();
  }
  return "no error";
}

TEST(StrToIntTest, AcceptsSignedDecimalIntegers) {
  EXPECT_EQ(StrToInt("30"), 30);
  EXPECT_EQ(StrToInt("-3599"), -3599);
  EXPECT_EQ(StrToInt("+90"), 90);
  EXPECT_EQ(StrToInt("007"), 7);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
}

TEST(StrToIntTest, RejectsEverythingElseWithTheTextInTheMessage) {
  EXPECT_EQ(ErrorOf("abc"), "'abc' is not a valid integer value");
  EXPECT_EQ(ErrorOf(""), "'' is not a valid integer value");
  for (const char* text : {"12a", " 5", "5 ", "+", "-", "+-5", "1.5", "2147483648", "0x10"}) {
    EXPECT_EQ(ErrorOf(text), "'" + std::string(text) + "' is not a valid integer value");
  }
  // Code page 1251 bytes travel unchanged.
  EXPECT_EQ(ErrorOf("\xF2\xF0\xE8"), "'\xF2\xF0\xE8' is not a valid integer value");
}

TEST(CountFromBoxesTest, LaterTickedBoxOverridesAndNoneMeansNothing) {
  CountBoxes boxes;
  EXPECT_EQ(CountFromBoxes(boxes), 30);  // Index with Beg "30" at start
  boxes.index = false;
  EXPECT_EQ(CountFromBoxes(boxes), 0);
  boxes.last500 = boxes.last100 = true;
  EXPECT_EQ(CountFromBoxes(boxes), 100);
  boxes.last10 = true;
  EXPECT_EQ(CountFromBoxes(boxes), 10);
  boxes.index = true;
  boxes.beg = "x";
  EXPECT_THROW(CountFromBoxes(boxes), ConversionError);
  // Beg is read only while Index is ticked.
  boxes.index = false;
  EXPECT_EQ(CountFromBoxes(boxes), 10);
}

}  // namespace
}  // namespace tarvex
