#include "service/general_float.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvex {
namespace {

TEST(FormatGeneralFloatTest, PlainNotationWithFifteenSignificantDigits) {
  EXPECT_EQ(FormatGeneralFloat(1.0f, '.'), "1");
  EXPECT_EQ(FormatGeneralFloat(2.0f, ','), "2");
  EXPECT_EQ(FormatGeneralFloat(0.8f, '.'), "0.800000011920929");
  EXPECT_EQ(FormatGeneralFloat(0.8f, ','), "0,800000011920929");
  EXPECT_EQ(FormatGeneralFloat(-3.5f, ','), "-3,5");
  EXPECT_EQ(FormatGeneralFloat(123456.789f, '.'), "123456.7890625");
  EXPECT_EQ(FormatGeneralFloat(0.1, '.'), "0.1");
  EXPECT_EQ(FormatGeneralFloat(0.00001, '.'), "0.00001");
  EXPECT_EQ(FormatGeneralFloat(999999999999999.0, '.'), "999999999999999");
  EXPECT_EQ(FormatGeneralFloat(-0.0, '.'), "0");
}

TEST(FormatGeneralFloatTest, ExponentForVeryLargeOrSmallMagnitudes) {
  EXPECT_EQ(FormatGeneralFloat(1e20f, '.'), "1.00000002004088E20");
  EXPECT_EQ(FormatGeneralFloat(1e15, '.'), "1E15");
  EXPECT_EQ(FormatGeneralFloat(1e-6, ','), "1E-6");
  EXPECT_EQ(FormatGeneralFloat(-1.5e-7, ','), "-1,5E-7");
  // Rounding carries into a new leading digit.
  EXPECT_EQ(FormatGeneralFloat(999999999999999.9, '.'), "1E15");
  // An exact tie at the sixteenth digit rounds away from zero.
  EXPECT_EQ(FormatGeneralFloat(std::ldexp(1.0, -22), '.'), "2.38418579101563E-7");
}

TEST(FormatGeneralFloatTest, NotANumberAndInfinities) {
  EXPECT_EQ(FormatGeneralFloat(std::nan(""), '.'), "NAN");
  EXPECT_EQ(FormatGeneralFloat(INFINITY, '.'), "INF");
  EXPECT_EQ(FormatGeneralFloat(-INFINITY, '.'), "-INF");
}

}  // namespace
}  // namespace tarvex
