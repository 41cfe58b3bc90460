#include "log/log_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace tarvex {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

RenderedLogRecord Render(const std::string& record, LogRenderState& state) {
  const auto bytes = Bytes(record);
  return RenderLogRecord(bytes, state);
}

RenderedLogRecord Render(const std::string& record) {
  LogRenderState state;
  return Render(record, state);
}

TEST(RenderLogRecordTest, WorkedExampleFoldsLineBreaks) {
  const auto r = Render("<2024.03.07-09:05:00 \r\nAB\r\n\r\nCD");
  EXPECT_EQ(r.kind, LogRecordKind::kFolded);
  EXPECT_EQ(r.pane_text, "<2024.03.07-09:05:00 AB CD\r\n");
  EXPECT_EQ(r.file_bytes, r.pane_text);
  EXPECT_FALSE(r.SetsRunningNumber());
}

TEST(RenderLogRecordTest, VerbatimRecordKeepsItsBreaksAndWritesLBytes) {
  const std::string record = ">2024.03.07-09:05:00 up\r\ndown";
  const auto r = Render(record);
  EXPECT_EQ(r.kind, LogRecordKind::kVerbatim);
  EXPECT_TRUE(r.SetsRunningNumber());
  EXPECT_EQ(r.pane_text, record);
  EXPECT_EQ(r.file_bytes, record + "\r\n");
}

TEST(RenderLogRecordTest, VerbatimLineEndedEarlyWritesTheZeroAndWhatFollows) {
  const std::string record = std::string(">2024.03.07-09:05:00 AB") + '\0' + "CD";
  const auto r = Render(record);
  EXPECT_EQ(r.pane_text, ">2024.03.07-09:05:00 AB");
  EXPECT_EQ(r.file_bytes, record + "\r\n");
  EXPECT_EQ(r.file_bytes.size(), record.size() + 2);
}

TEST(RenderLogRecordTest, TimeStampFieldsAreReadLikeCIntegers) {
  // Blanks instead of leading zeros.
  EXPECT_EQ(Render(">2024. 3. 7- 9: 5: 0 text").pane_text, ">2024.03.07-09:05:00 text");
  // A digit followed by a letter, a sign.
  EXPECT_EQ(Render(">2024.5a.+7-09:05:00 x").pane_text, ">2024.05.07-09:05:00 x");
  // All-zero year bytes read 0.
  EXPECT_EQ(Render(std::string(">") + std::string(4, '\0') + ".03.07-09:05:00 x").pane_text,
            ">0000.03.07-09:05:00 x");
  // Minus one is 65535; the text still starts at column 21, over the longer prefix.
  EXPECT_EQ(Render(">  -1.03.07-09:05:00 x").pane_text, ">65535.03.07-09:05:00x");
}

TEST(RenderLogRecordTest, FieldWithoutDigitsKeepsTheValueReadBeforeIt) {
  LogRenderState state;
  // The first record's year has no digits and takes the starting value 0; its month
  // takes the year's value.
  EXPECT_EQ(Render(">ab  .xx.07-09:05:42 x", state).pane_text, ">0000.00.07-09:05:42 x");
  EXPECT_EQ(state.last_field_value, 42);
  // The next record's year takes the seconds of the record before.
  EXPECT_EQ(Render(">????.03.07-09:05:00 x", state).pane_text, ">0042.03.07-09:05:00 x");
  // A field whose first byte is zero reads 0, not the value before it.
  EXPECT_EQ(Render(std::string(">2024.03.") + '\0' + "7-09:05:00 x", state).pane_text,
            ">2024.03.00-09:05:00 x");
}

TEST(RenderLogRecordTest, MarkerChoosesThePrefixAndTheKind) {
  const auto other = Render("!2024.03.07-09:05:00 X\rY");
  EXPECT_EQ(other.kind, LogRecordKind::kFolded);
  EXPECT_EQ(other.pane_text, " 2024.03.07-09:05:00 XY\r\n");
  EXPECT_EQ(Render("<2024.03.07-09:05:00 X\rY").pane_text, "<2024.03.07-09:05:00 XY\r\n");
}

TEST(RenderLogRecordTest, LineIsCutToTheRecordLength) {
  const auto five = Render(">2024");
  EXPECT_EQ(five.pane_text, ">2024");
  EXPECT_EQ(five.file_bytes, ">2024\r\n");
  // Missing fields read as zero bytes; only the first L prefix characters remain.
  EXPECT_EQ(Render("<20").pane_text, "<00\r\n");
  EXPECT_EQ(Render(">2024.03.07-09:05:00").pane_text, ">2024.03.07-09:05:00");
  const auto empty = Render("");
  EXPECT_EQ(empty.kind, LogRecordKind::kFolded);
  EXPECT_EQ(empty.pane_text, "\r\n");
}

TEST(RenderLogRecordTest, LineFeedsAreCountedOnlyUpToTheFirstZeroByte) {
  // A zero byte in the seconds field stops the count: the LF in the text stays.
  EXPECT_EQ(Render(std::string("<2024.03.07-09:05:0") + '\0' + " A\nB").pane_text,
            "<2024.03.07-09:05:00 A\nB\r\n");
  // An LF in a separator column counts too, and the extra deletion finds nothing.
  EXPECT_EQ(Render("<2024.03.07-09:05:00\nA\r\r\rB").pane_text,
            "<2024.03.07-09:05:00 A B\r\n");
}

TEST(RenderLogRecordTest, LongRecordsAreRenderedWhole) {
  for (std::size_t length : {180u, 200u, 500u, 995u}) {
    std::string verbatim = ">2024.03.07-09:05:00 ";
    verbatim.resize(length, 'v');
    const auto r = Render(verbatim);
    EXPECT_EQ(r.pane_text, verbatim);
    EXPECT_EQ(r.file_bytes.size(), length + 2);

    std::string folded = "<2024.03.07-09:05:00 ";
    while (folded.size() < length) folded += "ab\r\n";
    folded.resize(length);
    const auto f = Render(folded);
    EXPECT_EQ(f.pane_text.find('\n'), f.pane_text.size() - 1) << length;
  }
}

// The rendering as a C program does it in 200-byte buffers, as a cross-check of the
// bytes produced (valid up to L = 179).
struct Reference {
  std::string pane;
  std::string file;
  bool verbatim;
};

Reference ReferenceRender(const std::vector<std::uint8_t>& rec, std::uint16_t& last) {
  unsigned char frame[1003] = {};
  if (!rec.empty()) std::memcpy(frame, rec.data(), rec.size());
  const int length = static_cast<int>(rec.size());
  const int offsets[6] = {1, 6, 9, 12, 15, 18};
  const int widths[6] = {4, 2, 2, 2, 2, 2};
  unsigned values[6];
  for (int f = 0; f < 6; ++f) {
    char tmp[8] = {};
    std::memcpy(tmp, frame + offsets[f], widths[f]);
    int x = 0;
    if (tmp[0] == 0) last = 0;
    else if (std::sscanf(tmp, "%d", &x) == 1) last = static_cast<std::uint16_t>(x);
    values[f] = last;
  }
  const char* format = frame[0] == '>'   ? ">%04d.%02d.%02d-%02d:%02d:%02d "
                       : frame[0] == '<' ? "<%04d.%02d.%02d-%02d:%02d:%02d "
                                         : " %04d.%02d.%02d-%02d:%02d:%02d ";
  char line[200];
  std::snprintf(line, sizeof line, format, values[0], values[1], values[2], values[3], values[4],
                values[5]);
  if (length > 21) std::memcpy(line + 21, frame + 21, length - 21);
  line[length] = 0;
  if (line[0] == '>') return {line, std::string(line, length) + "\r\n", true};
  int n = 0;
  for (int i = 0; i < length && frame[i] != 0; ++i) n += frame[i] == '\n';
  char w[201] = {};
  std::memcpy(w, line, length);
  for (int k = 0; k < n; ++k) {
    auto* q = static_cast<char*>(std::memchr(w, '\n', length));
    if (q == nullptr) continue;
    std::memmove(q, q + 1, w + length - q - 1);
    w[length - 1] = 0;
  }
  for (int k = 0; k < n; ++k) {
    for (int j = 0; j + 1 < length; ++j) {
      if (w[j] == '\r' && w[j + 1] == '\r') {
        std::memmove(w + j, w + j + 1, length - j - 1);
        w[length - 1] = 0;
        break;
      }
    }
  }
  int p = -1;
  for (int j = 0; w[j] != 0; ++j) {
    if (w[j] == '\r') {
      w[j] = ' ';
      if (p < 0) p = j;
    }
  }
  if (p > 0) std::memmove(w + p, w + p + 1, std::strlen(w + p));
  const std::string text = std::string(w) + "\r\n";
  return {text, text, false};
}

TEST(RenderLogRecordTest, MatchesTheBufferRenderingForRandomRecords) {
  std::mt19937 random(20240307);
  const std::string alphabet = std::string("0123456789  --+\r\r\n\n\nAB>\xED", 24) + '\0';
  const std::string markers = std::string("><<!", 4);
  LogRenderState state;
  std::uint16_t reference_last = 0;
  for (int i = 0; i < 20000; ++i) {
    const std::size_t length = i < 26 ? i : i < 100 ? 179 : random() % 180;
    std::vector<std::uint8_t> record(length);
    for (auto& b : record) b = alphabet[random() % alphabet.size()];
    // Mostly well-formed time stamps, so that the text rules get exercised.
    if (length > 0 && random() % 4 != 0) {
      const std::string stamp = std::string(1, markers[random() % 4]) + "2024.03.07-09:05:00 ";
      std::copy_n(stamp.begin(), std::min(length, stamp.size()), record.begin());
    }
    const Reference expected = ReferenceRender(record, reference_last);
    const RenderedLogRecord actual = RenderLogRecord(record, state);
    ASSERT_EQ(actual.pane_text, expected.pane) << "record " << i;
    ASSERT_EQ(actual.file_bytes, expected.file) << "record " << i;
    ASSERT_EQ(actual.SetsRunningNumber(), expected.verbatim) << "record " << i;
    ASSERT_EQ(state.last_field_value, reference_last) << "record " << i;
  }
}

}  // namespace
}  // namespace tarvex
