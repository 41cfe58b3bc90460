// tarvex-cli report against the simulated controller, the page rendered by headless
// Chromium: the chart's points and the filter's effect read from the page's own DOM
// after its script ran, and a screenshot.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "basics/file_bytes.h"
#include "cli/cli_run_testing.h"
#include "sim/model/reply_frames.h"
#include "sim/pty/pty_server.h"
#include "testing/scratch_folder.h"

namespace tarvex::cli {
namespace {

struct Row {
  std::string kind;
  std::string day;
  std::string text;
  bool hidden = false;
};

std::string Between(const std::string& text, const std::string& open, const std::string& close, std::size_t& at) {
  const std::size_t start = text.find(open, at);
  if (start == std::string::npos) return at = std::string::npos, "";
  const std::size_t end = text.find(close, start + open.size());
  at = end + close.size();
  return text.substr(start + open.size(), end - start - open.size());
}

std::vector<Row> EventRows(const std::string& dom) {
  std::vector<Row> rows;
  std::size_t at = dom.find("<tbody>");
  for (std::string tr; !(tr = Between(dom, "<tr data-kind=", "</tr>", at)).empty();) {
    std::size_t in = 0;
    Row row;
    row.kind = Between(tr, "\"", "\"", in);
    row.day = Between(tr, "data-day=\"", "\"", in);
    row.hidden = tr.substr(0, tr.find('>')).find(" hidden") != std::string::npos;
    row.text = Between(tr, "<td class=\"text\">", "</td>", in);
    rows.push_back(row);
  }
  return rows;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// 48 hourly values from 2025-01-10 00:00, six hours missing, 24 more.
void PutArchiveWithAGap(sim::ControllerModel& model) {
  using namespace std::chrono;
  model.archive().Clear();
  sys_seconds t = sys_days{2025y / January / 10};
  for (int i = 0; i < 72; ++i, t += hours{1}) {
    if (i == 48) t += hours{6};
    const auto day = floor<days>(t);
    const year_month_day ymd{day};
    sim::Bytes record{static_cast<std::uint8_t>(static_cast<int>(ymd.year()) - 2000),
                      static_cast<std::uint8_t>(static_cast<unsigned>(ymd.month())),
                      static_cast<std::uint8_t>(static_cast<unsigned>(ymd.day())),
                      static_cast<std::uint8_t>(hh_mm_ss(t - day).hours().count()), 0, 0};
    const sim::Bytes value = sim::FloatBytes(i == 20 ? 6.5f : 4.0f + static_cast<float>(i % 10) / 10.0f);
    record.insert(record.end(), value.begin(), value.end());
    model.archive().Append(record);
  }
}

TEST(CliReport, ChromiumShowsTheArchiveChartAndTheFilterNarrowsTheEvents) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "chromium is not installed (scripts/test installs it)";
  }
  const tarvex::testing::ScratchFolder folder("cli-report");
  sim::ControllerModel model;
  sim::PtyServer server(model, {.link_path = (folder.path() / "tty").string()});
  server.Start();
  server.WithModel(PutArchiveWithAGap);
  struct ThreeHoursAhead final : WallClock {
    WallTime Now() override { return {{14, 0, 0}, {11, 0, 0}, 2026, 12, 8}; }
  } wall_clock;
  const auto page = folder.path() / "site.html";
  const auto result = testing::RunCli({"--port", server.link_path(), "report", "--file", page.string(), "--last",
                                       "300", "--archive-last", "72"},
                                      RealClock(), testing::kNoSettings, std::atomic<bool>(false), wall_clock);
  ASSERT_EQ(result.status, 0) << result.err;

  const std::string chromium = "timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-quic "
                               "--no-first-run --disable-background-networking --disable-component-update "
                               "--disable-sync --user-data-dir=" + folder.path().string() + "/profile";
  // The filter from the page's address: kind "<", two days, "клапан" in any case.
  const std::string url = "'file://" + page.string() +
                          "#kind=%3C&from=2024-12-28&to=2024-12-29&text=%D0%BA%D0%BB%D0%B0%D0%BF%D0%B0%D0%BD'";
  const auto dom_path = folder.path() / "dom.html";
  const auto shot = folder.path() / "report.png";
  ASSERT_EQ(std::system((chromium + " --dump-dom --screenshot=" + shot.string() + " --window-size=1280,1700 " + url +
                         " >" + dom_path.string() + " 2>/dev/null").c_str()),
            0);
  const std::string dom = ReadFileBytes(dom_path).value_or("");

  // Every record with a date and a value is a point; the six hours break the line.
  EXPECT_EQ(Count(dom, "<circle class=\"point\""), 72u);
  EXPECT_EQ(Count(dom, "<polyline class=\"series\""), 2u);
  EXPECT_EQ(Count(dom, "<rect class=\"gap\""), 1u);
  EXPECT_NE(dom.find("<title>2025-01-10T03:00:00+03:00: 4.000</title>"), std::string::npos);
  // The highest value (6.5 at index 20) sits at the top of the plot.
  const std::size_t at = dom.find("data-index=\"20\"");
  ASSERT_NE(at, std::string::npos);
  const std::size_t circle = dom.rfind("<circle", at);
  EXPECT_NE(dom.substr(circle, at - circle).find("cy=\"15.0\""), std::string::npos) << dom.substr(circle, at - circle);

  const std::vector<Row> rows = EventRows(dom);
  ASSERT_EQ(rows.size(), 300u);
  int expected = 0;
  for (const Row& row : rows) {
    const bool match = row.kind == "&lt;" && row.day >= "2024-12-28" && row.day <= "2024-12-29" &&
                       (row.text.find("Клапан") != std::string::npos || row.text.find("клапан") != std::string::npos);
    expected += match;
    EXPECT_EQ(row.hidden, !match) << row.day << " " << row.kind << " " << row.text;
  }
  EXPECT_GT(expected, 0);
  // A bar a day, 27 to 31 December, that counts its events.
  std::vector<int> bars;
  for (std::size_t in = 0; in != std::string::npos;) {
    const std::string count = Between(dom, "<rect class=\"bar\"", ">", in);
    if (!count.empty()) bars.push_back(std::stoi(count.substr(count.find("data-count=\"") + 12)));
  }
  EXPECT_EQ(bars.size(), 5u);
  int dated = 0;
  for (const Row& row : rows) dated += !row.day.empty();
  EXPECT_EQ(std::accumulate(bars.begin(), bars.end(), 0), dated);
  EXPECT_NE(dom.find(">" + std::to_string(expected) + " of 300 events</output>"), std::string::npos);

  const std::string png = ReadFileBytes(shot).value_or("");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  // IHDR: the width, big-endian, at byte 16.
  EXPECT_EQ(png.substr(16, 4), std::string("\0\0\x05\x00", 4));
}

}  // namespace
}  // namespace tarvex::cli
