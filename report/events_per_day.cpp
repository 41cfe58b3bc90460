#include "report/events_per_day.h"

#include <algorithm>
#include <map>

#include "basics/iso_time.h"
#include "report/chart_axes.h"
#include "report/html_text.h"

namespace tarvex {
namespace {

constexpr double kWidth = 900, kHeight = 130;
constexpr double kLeft = 40, kRight = 885, kTop = 10, kBottom = 100;
constexpr std::int64_t kDay = 86400;

// The day of a dated event, as seconds of its midnight.
std::int64_t DayOf(const LogEntry& entry) {
  const CalendarTime day{std::stoi(entry.time.substr(0, 4)), std::stoi(entry.time.substr(5, 2)),
                         std::stoi(entry.time.substr(8, 2))};
  return SecondsSince1970(day);
}

}  // namespace

std::string EventsPerDaySvg(std::span<const LogEntry> events) {
  std::map<std::int64_t, int> counts;
  for (const LogEntry& entry : events) {
    if (entry.dated) ++counts[DayOf(entry)];
  }
  if (counts.empty()) return "<p class=\"empty\">No event with a date.</p>\n";
  const std::int64_t first = counts.begin()->first;
  const std::int64_t days = (counts.rbegin()->first - first) / kDay + 1;
  int most = 0;
  for (const auto& [day, count] : counts) most = std::max(most, count);
  const double slot = (kRight - kLeft) / static_cast<double>(days);
  // About eight day labels, whatever the number of days.
  const std::int64_t label_every = std::max<std::int64_t>(1, (days + 7) / 8);
  std::string svg = "<svg class=\"chart\" id=\"day-chart\" viewBox=\"0 0 " + Coordinate(kWidth) + " " +
                    Coordinate(kHeight) + "\" role=\"img\" aria-label=\"events per day\">\n<g class=\"axis\">" +
                    SvgText(kLeft - 6, kTop + 8, "end", std::to_string(most)) + SvgText(kLeft - 6, kBottom, "end", "0");
  for (std::int64_t i = 0; i < days; i += label_every) {
    svg += SvgText(kLeft + slot * (static_cast<double>(i) + 0.5), kBottom + 18, "middle", DayText(first + i * kDay));
  }
  svg += "</g>\n";
  for (std::int64_t i = 0; i < days; ++i) {
    const std::int64_t day = first + i * kDay;
    const auto found = counts.find(day);
    const int count = found == counts.end() ? 0 : found->second;
    const double height = (kBottom - kTop) * count / most;
    const std::string text = DayText(day);
    svg += "<rect class=\"bar\" x=\"" + Coordinate(kLeft + slot * static_cast<double>(i) + slot * 0.1) +
           "\" y=\"" + Coordinate(kBottom - height) + "\" width=\"" + Coordinate(slot * 0.8) + "\" height=\"" +
           Coordinate(height) + "\" data-day=\"" + text + "\" data-count=\"" + std::to_string(count) + "\"><title>" +
           text + ": " + std::to_string(count) + (count == 1 ? " event" : " events") + "</title></rect>\n";
  }
  return svg + "</svg>\n";
}

}  // namespace tarvex
