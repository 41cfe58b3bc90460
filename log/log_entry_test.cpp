#include "log/log_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

LogEntry Entry(const std::string& record, std::int32_t index = 5) {
  const std::vector<std::uint8_t> bytes(record.begin(), record.end());
  LogRenderState state;
  return MakeLogEntry(index, RenderLogRecord(bytes, state));
}

TEST(LogEntryTest, ARecordGivesItsIsoTimeMarkerAndTheTextItsLineShowsInUtf8) {
  // "Клапан" in code page 1251; a folded record loses its breaks as its line does.
  LogEntry entry = Entry("!2024.02.29-23:05:09 \r\n\xCA\xEB\xE0\xEF\xE0\xED\r\n\r\nCD", 1999);
  EXPECT_EQ(entry.index, 1999);
  EXPECT_EQ(entry.time, "2024-02-29T23:05:09");
  EXPECT_TRUE(entry.dated);
  EXPECT_EQ(entry.kind, "!");
  EXPECT_EQ(entry.text, "Клапан CD");
  EXPECT_EQ(entry.line, "");
  // A verbatim record keeps its break.
  EXPECT_EQ(Entry(">2024.03.07-09:05:00 up\r\ndown").text, "up\r\ndown");
  // Digits in their places that form no date: the stamp as the line shows it.
  entry = Entry("<2023.02.29-09:05:00 x");
  EXPECT_EQ(entry.time, "2023.02.29-09:05:00");
  EXPECT_FALSE(entry.dated);
  EXPECT_EQ(entry.line, "");
}

TEST(LogEntryTest, ARecordShownOddlyGivesWhatItsLineShowsAndKeepsTheLine) {
  const struct {
    std::string record;
    std::string time;
    std::string line;
  } cases[] = {
      {"<2024.1a.07-09:05:00 x", "2024-01-07T09:05:00", "<2024.01.07-09:05:00 x"},
      {"<  -1.03.07-09:05:00 x", "65535.03.07-09:05:00", "<65535.03.07-09:05:00x"},
      {"<2024/03/07 09:05:00 x", "2024-03-07T09:05:00", "<2024.03.07-09:05:00 x"},
      {"<2024", "2024.00.00-00:00:00", "<2024"},
  };
  for (const auto& c : cases) {
    const LogEntry entry = Entry(c.record);
    EXPECT_EQ(entry.time, c.time) << c.record;
    EXPECT_EQ(entry.line, c.line) << c.record;
  }
}

}  // namespace
}  // namespace tarvex
