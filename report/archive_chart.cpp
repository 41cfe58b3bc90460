#include "report/archive_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "basics/fixed_format.h"
#include "report/chart_axes.h"
#include "report/html_text.h"

namespace tarvex {
namespace {

constexpr double kWidth = 900, kHeight = 300;
constexpr double kLeft = 60, kRight = 885, kTop = 15, kBottom = 255;

struct Point {
  std::int64_t t;
  double v;
  const ArchiveEntry* entry;
};
using Segment = std::vector<Point>;

std::int64_t UsualStep(std::span<const ArchiveEntry> archive) {
  std::vector<std::int64_t> steps;
  for (std::size_t i = 1; i < archive.size(); ++i) {
    const auto& a = archive[i - 1].seconds;
    const auto& b = archive[i].seconds;
    if (a && b && *b > *a) steps.push_back(*b - *a);
  }
  if (steps.empty()) return 0;
  std::nth_element(steps.begin(), steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2), steps.end());
  return steps[steps.size() / 2];
}

std::vector<Segment> Segments(std::span<const ArchiveEntry> archive) {
  const std::int64_t usual = UsualStep(archive);
  std::vector<Segment> segments(1);
  for (const ArchiveEntry& entry : archive) {
    if (!entry.seconds || !entry.number) {
      if (!segments.back().empty()) segments.emplace_back();
      continue;
    }
    const Point point{*entry.seconds, *entry.number, &entry};
    if (!segments.back().empty()) {
      const std::int64_t step = point.t - segments.back().back().t;
      if (step <= 0 || 2 * step > 3 * usual) segments.emplace_back();
    }
    segments.back().push_back(point);
  }
  if (segments.back().empty()) segments.pop_back();
  return segments;
}

class Scale {
 public:
  Scale(double from, double to, double out_from, double out_to)
      : from_(from), to_(to), out_from_(out_from), out_to_(out_to) {}
  double operator()(double value) const { return out_from_ + (value - from_) / (to_ - from_) * (out_to_ - out_from_); }

 private:
  double from_, to_, out_from_, out_to_;
};

// The zone's offset as the times give it ("+03:00"), from the first dated record.
std::string Offset(const std::vector<Segment>& segments) {
  const std::string& time = segments.front().front().entry->time;
  return time.size() > 6 ? time.substr(time.size() - 6) : std::string();
}

}  // namespace

std::string ArchiveChartSvg(std::span<const ArchiveEntry> archive) {
  const std::vector<Segment> segments = Segments(archive);
  if (segments.empty()) return "<p class=\"empty\">No archive record with a date and a value.</p>\n";
  std::int64_t t_min = segments.front().front().t, t_max = t_min;
  double v_min = segments.front().front().v, v_max = v_min;
  for (const Segment& segment : segments) {
    for (const Point& p : segment) {
      t_min = std::min(t_min, p.t);
      t_max = std::max(t_max, p.t);
      v_min = std::min(v_min, p.v);
      v_max = std::max(v_max, p.v);
    }
  }
  if (t_max == t_min) t_max = t_min + 3600;
  const double v_step = NiceStep(v_max > v_min ? (v_max - v_min) / 5 : std::max(std::abs(v_min), 1.0) / 5);
  const double v_low = std::floor(v_min / v_step) * v_step;
  double v_high = std::ceil(v_max / v_step) * v_step;
  if (v_high <= v_low) v_high = v_low + v_step;
  const Scale x(static_cast<double>(t_min), static_cast<double>(t_max), kLeft, kRight);
  const Scale y(v_low, v_high, kBottom, kTop);

  std::string svg = "<svg class=\"chart\" id=\"archive-chart\" viewBox=\"0 0 " + Coordinate(kWidth) + " " +
                    Coordinate(kHeight) + "\" role=\"img\" aria-label=\"archive values over time\">\n<g class=\"axis\">";
  const int decimals = StepDecimals(v_step);
  for (double v = v_low; v <= v_high + v_step / 2; v += v_step) {
    svg += SvgLine(kLeft, y(v), kRight, y(v)) + SvgText(kLeft - 6, y(v) + 4, "end", FormatFixed(v, 0, decimals));
  }
  constexpr std::array<std::int64_t, 9> kTimeSteps = {3600,     3 * 3600,  6 * 3600,  12 * 3600, 86400,
                                                      2 * 86400, 7 * 86400, 14 * 86400, 28 * 86400};
  std::int64_t t_step = kTimeSteps.back();
  for (const std::int64_t step : kTimeSteps) {
    if ((t_max - t_min) / step <= 8) {
      t_step = step;
      break;
    }
  }
  for (std::int64_t t = (t_min + t_step - 1) / t_step * t_step; t <= t_max; t += t_step) {
    svg += SvgLine(x(t), kTop, x(t), kBottom + 4) +
           SvgText(x(t), kBottom + 18, "middle", t_step >= 86400 ? DayText(t) : DayHourText(t));
  }
  svg += SvgText((kLeft + kRight) / 2, kHeight - 4, "middle", "time (UTC" + Offset(segments) + ")");
  svg += "</g>\n";
  for (std::size_t i = 1; i < segments.size(); ++i) {
    const Point& before = segments[i - 1].back();
    const Point& after = segments[i].front();
    if (after.t <= before.t) continue;
    svg += "<rect class=\"gap\" x=\"" + Coordinate(x(before.t)) + "\" y=\"" + Coordinate(kTop) + "\" width=\"" +
           Coordinate(x(after.t) - x(before.t)) + "\" height=\"" + Coordinate(kBottom - kTop) +
           "\"><title>no records from " + HtmlText(before.entry->time) + " to " + HtmlText(after.entry->time) +
           "</title></rect>\n";
  }
  for (const Segment& segment : segments) {
    svg += "<polyline class=\"series\" points=\"";
    for (const Point& p : segment) svg += Coordinate(x(p.t)) + "," + Coordinate(y(p.v)) + " ";
    svg += "\"/>\n";
  }
  svg += "<g class=\"points\">\n";
  for (const Segment& segment : segments) {
    for (const Point& p : segment) {
      svg += "<circle class=\"point\" cx=\"" + Coordinate(x(p.t)) + "\" cy=\"" + Coordinate(y(p.v)) +
             "\" r=\"2\" data-index=\"" + std::to_string(p.entry->index) + "\" data-value=\"" +
             HtmlText(p.entry->value) + "\"><title>" + HtmlText(p.entry->time) + ": " + HtmlText(p.entry->value) +
             "</title></circle>\n";
    }
  }
  return svg + "</g>\n</svg>\n";
}

}  // namespace tarvex
