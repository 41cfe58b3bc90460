#include "archive/archive_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "archive/zone_shift.h"
#include "basics/conversion_error.h"

namespace tarvex {
namespace {

ArchiveRecord Dated(int year, int month, int day, int hour, int minute, int second) {
  return {year - 2000, month, day, hour, minute, second, 0.0f};
}

std::string Stamp(const ArchiveRecord& r) {
  return std::to_string(r.year) + "-" + std::to_string(r.month) + "-" + std::to_string(r.day) +
         " " + std::to_string(r.hour) + ":" + std::to_string(r.minute) + ":" +
         std::to_string(r.second);
}

std::string Shifted(ArchiveRecord record, int zone) {
  ShiftArchiveTime(record, zone);
  return Stamp(record);
}

std::string ErrorOf(ArchiveRecord record, int zone) {
  try {
    ShiftArchiveTime(record, zone);
  } catch (const ConversionError& e) {
    return e.what();
  }
  return "no error";
}

TEST(DecodeArchiveRecordTest, FieldsAndLittleEndianValue) {
  const std::vector<std::uint8_t> bytes{24, 3, 5, 4, 4, 9, 0x00, 0x00, 0x48, 0x41, 0xEE};
  const ArchiveRecord r = DecodeArchiveRecord(bytes);
  EXPECT_EQ(Stamp(r), "24-3-5 4:4:9");
  EXPECT_EQ(r.value, 12.5f);
  // Bytes the record does not have read as zero.
  const ArchiveRecord short_record = DecodeArchiveRecord(std::vector<std::uint8_t>{24, 3});
  EXPECT_EQ(Stamp(short_record), "24-3-0 0:0:0");
  EXPECT_EQ(short_record.value, 0.0f);
  EXPECT_EQ(Stamp(DecodeArchiveRecord({})), "0-0-0 0:0:0");
}

TEST(ShiftArchiveTimeTest, ShiftRollsTheDateOverInTheGregorianCalendarBothWays) {
  EXPECT_EQ(Shifted(Dated(2024, 3, 5, 4, 4, 9), 180), "24-3-5 7:4:9");
  EXPECT_EQ(Shifted(Dated(2024, 2, 28, 22, 30, 0), 180), "24-2-29 1:30:0");
  EXPECT_EQ(Shifted(Dated(2023, 2, 28, 22, 30, 0), 180), "23-3-1 1:30:0");
  EXPECT_EQ(Shifted(Dated(2023, 12, 31, 23, 0, 0), 180), "24-1-1 2:0:0");
  EXPECT_EQ(Shifted(Dated(2100, 2, 28, 23, 0, 0), 60), "100-3-1 0:0:0");
  EXPECT_EQ(Shifted(Dated(2000 + 255, 12, 31, 23, 59, 59), 14 * 60), "256-1-1 13:59:59");
  EXPECT_EQ(Shifted(Dated(2024, 4, 30, 0, 0, 0), 14 * 60), "24-4-30 14:0:0");
  // West of UTC the time goes back, to the previous day where it crosses midnight.
  EXPECT_EQ(Shifted(Dated(2024, 3, 5, 12, 0, 0), -300), "24-3-5 7:0:0");
  EXPECT_EQ(Shifted(Dated(2024, 3, 1, 2, 0, 0), -300), "24-2-29 21:0:0");
  EXPECT_EQ(Shifted(Dated(2024, 1, 1, 4, 59, 0), -300), "23-12-31 23:59:0");
  EXPECT_EQ(Shifted(Dated(2024, 3, 5, 22, 45, 0), 330), "24-3-6 4:15:0");
}

TEST(ShiftArchiveTimeTest, UndatedRecordsStayAsTheyCame) {
  EXPECT_EQ(Shifted({0, 13, 40, 24, 61, 99, 1.0f}, 3), "0-13-40 24:61:99");
}

TEST(ShiftArchiveTimeTest, InvalidTimesAndDatesThrowTheEncodeErrors) {
  EXPECT_EQ(ErrorOf(Dated(2024, 3, 5, 24, 0, 0), 180), "Invalid argument to time encode");
  EXPECT_EQ(ErrorOf(Dated(2024, 3, 5, 1, 60, 0), 0), "Invalid argument to time encode");
  EXPECT_EQ(ErrorOf(Dated(2024, 3, 5, 1, 0, 60), 0), "Invalid argument to time encode");
  EXPECT_EQ(ErrorOf(Dated(2023, 2, 29, 23, 0, 0), 180), "Invalid argument to date encode");
  EXPECT_EQ(ErrorOf(Dated(2024, 13, 1, 23, 0, 0), 180), "Invalid argument to date encode");
  EXPECT_EQ(ErrorOf(Dated(2024, 3, 0, 23, 0, 0), 180), "Invalid argument to date encode");
  EXPECT_EQ(ErrorOf(Dated(2024, 3, 0, 1, 0, 0), -300), "Invalid argument to date encode");
  // The date is looked at only when the shift moves it.
  EXPECT_EQ(ErrorOf(Dated(2024, 13, 1, 10, 0, 0), 180), "no error");
}

TEST(ZoneShiftTest, LocalMinusUtcInMinutesWhicheverDayEachReadingIsOn) {
  EXPECT_EQ(ZoneShift({{13, 0, 0}, {10, 0, 0}}), 180);
  EXPECT_EQ(ZoneShift({{5, 0, 0}, {10, 0, 0}}), -300);
  EXPECT_EQ(ZoneShift({{1, 0, 0}, {22, 0, 0}}), 180);
  EXPECT_EQ(ZoneShift({{20, 0, 0}, {1, 0, 0}}), -300);
  EXPECT_EQ(ZoneShift({{15, 30, 0}, {10, 0, 0}}), 330);
  EXPECT_EQ(ZoneShift({{14, 0, 0}, {0, 0, 0}}), 840);
}

}  // namespace
}  // namespace tarvex
