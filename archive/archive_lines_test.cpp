#include "archive/archive_lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvex {
namespace {

TEST(ArchiveLinesTest, DatedRecordAfterTheShift) {
  ArchiveRecord record{24, 3, 5, 4, 4, 9, 12.5f};
  ShiftArchiveTime(record, 180);
  EXPECT_EQ(ArchivePaneLine(998, record), "  998 2024:03:05 07:04:09:  12.500\n");
  EXPECT_EQ(ArchiveFileLine(record), "2024:03:05 07:04:09:  12.500\r\n");
}

TEST(ArchiveLinesTest, TenZeroBytes) {
  const ArchiveRecord record = DecodeArchiveRecord(std::vector<std::uint8_t>(10, 0));
  EXPECT_EQ(ArchivePaneLine(3, record), "    3    0:00:00 00:00:00:   0.000\n");
  EXPECT_EQ(ArchiveFileLine(record), "   0:00:00 00:00:00:   0.000\r\n");
}

TEST(ArchiveLinesTest, WideValuesWidenTheirFields) {
  const ArchiveRecord record{24, 12, 31, 23, 59, 59, -1234.5678f};
  EXPECT_EQ(ArchivePaneLine(123456, record), "123456 2024:12:31 23:59:59:  -1234.568\n");
}

TEST(ArchiveValueTextTest, TruncatesTowardZero) {
  EXPECT_EQ(ArchiveValueText(25.666f), "25");
  EXPECT_EQ(ArchiveValueText(-1.5f), "-1");
  EXPECT_EQ(ArchiveValueText(-0.5f), "0");
  EXPECT_EQ(ArchiveValueText(0.0f), "0");
  EXPECT_EQ(ArchiveValueText(16777216.0f), "16777216");
  EXPECT_EQ(ArchiveValueText(3.0e10f), "30000001024");
}

}  // namespace
}  // namespace tarvex
