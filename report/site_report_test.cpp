#include "report/site_report.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvex {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

ArchiveEntry Hour(std::int32_t index, int hour, double value) {
  ArchiveRecord record{25, 1, 20, hour, 0, 0, static_cast<float>(value)};
  return MakeArchiveEntry(index, record, 180);
}

TEST(SiteReportTest, ThePageNeedsNothingElseAndBreaksTheChartWhereRecordsAreMissing) {
  SiteReport report;
  report.identifier = "4711";
  LogEntry hostile;
  hostile.kind = "<";
  hostile.text = "</td><script>alert(1)</script>";
  report.events = {hostile};
  // Hours 0..3, 6..7 (4 and 5 missing), a record without a date, then 9.
  report.archive = {Hour(1, 0, 4.0), Hour(2, 1, 4.5), Hour(3, 2, 5.0), Hour(4, 3, 4.0),
                    Hour(5, 6, 4.2), Hour(6, 7, 4.4), MakeArchiveEntry(7, {}, 180), Hour(8, 9, 4.1)};
  const std::string html = SiteReportHtml(report);
  for (const char* outside : {"http:", "https:", "src=", "<link", "url(", "@import"}) {
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  }
  EXPECT_EQ(Count(html, "<script>"), 1u);
  EXPECT_NE(html.find("&lt;/td&gt;&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  EXPECT_EQ(Count(html, "class=\"point\""), 7u);
  EXPECT_EQ(Count(html, "<polyline"), 3u);
  EXPECT_EQ(Count(html, "class=\"gap\""), 2u);
  EXPECT_NE(html.find("time (UTC+03:00)"), std::string::npos);
}

}  // namespace
}  // namespace tarvex
