#include "basics/json_text.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(JsonTextTest, AFaultNamesLineColumnInCharactersAndReason) {
  EXPECT_EQ(FindJsonFault("{\"a\": [1, 2],\r\n \"b\": \"\xC4\xE0\"}"), std::nullopt);
  // Cyrillic letters are one column each, as in the file; CR LF ends a line.
  const auto fault = FindJsonFault("{\"a\": 1,\r\n \"\xC8\xEC\xFF\": 2,,\r\n}");
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->line, 2);
  EXPECT_EQ(fault->column, 11);
  EXPECT_EQ(fault->Text().substr(0, 18), "line 2, column 11:");
  EXPECT_NE(fault->reason.find("unexpected ','"), std::string::npos) << fault->reason;
  // A text that ends early, and one with more after its document.
  EXPECT_EQ(FindJsonFault("{\"a\": ")->line, 1);
  EXPECT_TRUE(FindJsonFault("{} x"));
  EXPECT_TRUE(FindJsonFault(""));
}

TEST(JsonTextTest, IndentKeepsMemberOrderAndCyrillic) {
  EXPECT_EQ(IndentJson("{\"z\":1,\"\xC0\":[true,null],\"b\":{}}"),
            "{\n  \"z\": 1,\n  \"\xC0\": [\n    true,\n    null\n  ],\n  \"b\": {}\n}\n");
  EXPECT_THROW(IndentJson("[1,]"), JsonFaultError);
}

}  // namespace
}  // namespace tarvex
