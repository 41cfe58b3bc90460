#include "archive/archive_entry.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarvex {
namespace {

TEST(ArchiveEntryTest, ADatedRecordGivesItsTimeWithTheShiftAsOffsetAndTheValueItsLineShows) {
  ArchiveRecord record{24, 12, 31, 22, 4, 9, 12.5f};
  ShiftArchiveTime(record, 180);
  const ArchiveEntry entry = MakeArchiveEntry(998, record, 180);
  EXPECT_EQ(entry.index, 998);
  EXPECT_EQ(entry.time, "2025-01-01T01:04:09+03:00");
  EXPECT_EQ(entry.seconds, 1735693449);
  EXPECT_EQ(entry.value, "12.500");
  EXPECT_EQ(entry.number, 12.5);
  EXPECT_EQ(entry.line, "");
  // Three decimals, as the line shows.
  EXPECT_EQ(MakeArchiveEntry(1, {25, 1, 2, 3, 0, 0, 5.1236f}, 0).number, 5.124);
}

TEST(ArchiveEntryTest, ARecordWithoutADateOrAValueKeepsItsLine) {
  ArchiveEntry entry = MakeArchiveEntry(3, {}, 300);
  EXPECT_EQ(entry.time, "0:00:00 00:00:00");
  EXPECT_FALSE(entry.seconds);
  EXPECT_EQ(entry.line, "    3    0:00:00 00:00:00:   0.000");
  // A day the month does not have: the shift checks dates only across midnight.
  entry = MakeArchiveEntry(4, {24, 2, 30, 10, 0, 0, 1.0f}, 0);
  EXPECT_EQ(entry.time, "2024:02:30 10:00:00");
  EXPECT_EQ(entry.line, "    4 2024:02:30 10:00:00:   1.000");
  entry = MakeArchiveEntry(5, {24, 2, 28, 10, 0, 0, std::numeric_limits<float>::quiet_NaN()}, 0);
  EXPECT_EQ(entry.time, "2024-02-28T10:00:00+00:00");
  EXPECT_EQ(entry.value, "nan");
  EXPECT_FALSE(entry.number);
  EXPECT_EQ(entry.line, "    5 2024:02:28 10:00:00:     nan");
}

}  // namespace
}  // namespace tarvex
