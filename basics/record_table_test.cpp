#include "basics/record_table.h"

#include <gtest/gtest.h>

#include <array>

namespace tarvex {
namespace {

constexpr std::array<std::string_view, 4> kColumns = {"index", "text", "value", "line"};

TEST(RecordTableTest, CsvQuotesOnlyWhatNeedsItAndJsonLinesKeepTypesAndNull) {
  const std::array<TableCell, 4> cells = {TableCell{true, "7"}, TableCell{false, "Клапан \"A\", линия 1\r\nвторая"},
                                          TableCell{true, "5.123"}, TableCell{}};
  EXPECT_EQ(TableHead(TableFormat::kCsv, kColumns), "index,text,value,line\r\n");
  EXPECT_EQ(TableRow(TableFormat::kCsv, kColumns, cells),
            "7,\"Клапан \"\"A\"\", линия 1\r\nвторая\",5.123,\r\n");
  const std::array<TableCell, 4> plain = {TableCell{true, "-1"}, TableCell{false, " a b "}, TableCell{},
                                          TableCell{false, ""}};
  EXPECT_EQ(TableRow(TableFormat::kCsv, kColumns, plain), "-1, a b ,,\r\n");

  EXPECT_EQ(TableHead(TableFormat::kJsonl, kColumns), "");
  EXPECT_EQ(TableRow(TableFormat::kJsonl, kColumns, cells),
            "{\"index\":7,\"text\":\"Клапан \\\"A\\\", линия 1\\r\\nвторая\",\"value\":5.123,\"line\":null}\n");
  // Control bytes are escaped, and a byte that is no UTF-8 cannot end the export.
  const std::array<TableCell, 4> odd = {TableCell{true, "0"}, TableCell{false, std::string("\x01\t\xFF", 3)},
                                        TableCell{}, TableCell{false, ""}};
  EXPECT_EQ(TableRow(TableFormat::kJsonl, kColumns, odd),
            "{\"index\":0,\"text\":\"\\u0001\\t\xEF\xBF\xBD\",\"value\":null,\"line\":\"\"}\n");
}

}  // namespace
}  // namespace tarvex
