#include "sim/model/default_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "sim/model/cp1251.h"

namespace tarvex::sim {
namespace {

bool Digits(const Bytes& r, std::size_t from, std::size_t n) {
  return std::all_of(r.begin() + static_cast<std::ptrdiff_t>(from),
                     r.begin() + static_cast<std::ptrdiff_t>(from + n),
                     [](std::uint8_t c) { return std::isdigit(c) != 0; });
}

std::string Stamp(const Bytes& r) { return std::string(r.begin() + 1, r.begin() + 20); }

TEST(DefaultData, EventRecordsHaveTheRecordLayout) {
  const std::vector<Bytes> records = DefaultEventRecords(400, 7);
  ASSERT_EQ(records.size(), 400u);
  bool cyrillic = false, line_breaks = false, other_marker = false;
  for (const Bytes& r : records) {
    ASSERT_GE(r.size(), 60u);
    ASSERT_LE(r.size(), 120u);
    EXPECT_TRUE(Digits(r, 1, 4) && Digits(r, 6, 2) && Digits(r, 9, 2) && Digits(r, 12, 2) &&
                Digits(r, 15, 2) && Digits(r, 18, 2));
    const std::string separators = {char(r[5]), char(r[8]), char(r[11]),
                                    char(r[14]), char(r[17]), char(r[20])};
    EXPECT_EQ(separators, "..-:: ");
    EXPECT_EQ(std::count(r.begin(), r.end(), 0), 0);
    cyrillic |= std::any_of(r.begin() + 21, r.end(), [](std::uint8_t c) { return c >= 0xC0; });
    line_breaks |= std::search(r.begin(), r.end(), std::begin("\r\n"), std::end("\r\n") - 1) != r.end();
    other_marker |= r[0] != '>' && r[0] != '<';
  }
  EXPECT_TRUE(cyrillic);
  EXPECT_TRUE(line_breaks);
  EXPECT_TRUE(other_marker);
  EXPECT_TRUE(std::is_sorted(records.begin(), records.end(),
                             [](const Bytes& a, const Bytes& b) { return Stamp(a) < Stamp(b); }));
  EXPECT_EQ(Stamp(records.front()).substr(0, 4), "2024");
  EXPECT_EQ(Stamp(records.back()).substr(0, 4), "2025");
}

TEST(DefaultData, SameSeedSameData) {
  EXPECT_EQ(DefaultEventRecords(50, 3), DefaultEventRecords(50, 3));
  EXPECT_NE(DefaultEventRecords(50, 3), DefaultEventRecords(50, 4));
  EXPECT_EQ(DefaultArchiveRecords(3), DefaultArchiveRecords(3));
}

TEST(DefaultData, ArchiveRunsHourlyAcrossMonthAndYearEnd) {
  const std::vector<Bytes> records = DefaultArchiveRecords(1);
  ASSERT_EQ(records.size(), 1601u);
  const Bytes& last = records.back();
  EXPECT_EQ((Bytes(last.begin(), last.begin() + 6)), (Bytes{25, 1, 20, 11, 0, 0}));
  const auto new_year = std::find_if(records.begin(), records.end(), [](const Bytes& r) {
    return r[0] == 25 && r[1] == 1 && r[2] == 1 && r[3] == 0;
  });
  ASSERT_NE(new_year, records.begin());
  ASSERT_NE(new_year, records.end());
  EXPECT_EQ((Bytes((new_year - 1)->begin(), (new_year - 1)->begin() + 4)),
            (Bytes{24, 12, 31, 23}));
  for (const Bytes& r : records) {
    ASSERT_EQ(r.size(), 10u);
    float v;
    std::memcpy(&v, r.data() + 6, 4);
    EXPECT_GE(v, 3.5f);
    EXPECT_LE(v, 6.5f);
  }
}

TEST(DefaultData, ConfigurationIsAFewKilobytesOfCp1251Json) {
  const Bytes config = DefaultConfiguration();
  EXPECT_GT(config.size(), 2000u);
  EXPECT_LT(config.size(), 8000u);
  EXPECT_EQ(config.front(), '{');
  EXPECT_EQ(std::count(config.begin(), config.end(), 0), 0);
  EXPECT_EQ(std::count(config.begin(), config.end(), '?'), 0);  // every character mapped
  EXPECT_EQ(std::count(config.begin(), config.end(), '\n'),
            std::count(config.begin(), config.end(), '\r'));
  EXPECT_FALSE(DefaultScript().empty());
}

TEST(Cp1251, MapsCyrillicAndSigns) {
  EXPECT_EQ(Utf8ToCp1251("AЁёАя№«»—°"),
            (Bytes{'A', 0xA8, 0xB8, 0xC0, 0xFF, 0xB9, 0xAB, 0xBB, 0x97, 0xB0}));
  EXPECT_EQ(Utf8ToCp1251("€中x"), (Bytes{0x88, '?', 'x'}));
}

}  // namespace
}  // namespace tarvex::sim
