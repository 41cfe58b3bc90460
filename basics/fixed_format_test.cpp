#include "basics/fixed_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace tarvex {
namespace {

TEST(FormatFixedTest, MatchesPrintfInTheCLocale) {
  for (double v : {0.0, 12.5, 1.5, 101.25, -1.5, 25.666, 0.0005, 0.0015, 2.675, 99999.9996,
                   -0.0001, 3.4028234663852886e38, 1e-10}) {
    for (int width : {0, 5, 6}) {
      for (int precision : {0, 2, 3}) {
        char expected[512];
        std::snprintf(expected, sizeof expected, "%*.*f", width, precision, v);
        EXPECT_EQ(FormatFixed(v, width, precision), expected) << v;
      }
    }
  }
  EXPECT_EQ(FormatFixed(std::nan(""), 6, 3), "   nan");
  EXPECT_EQ(FormatFixed(-INFINITY, 6, 3), "  -inf");
}

}  // namespace
}  // namespace tarvex
