#include "report/chart_axes.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "basics/fixed_format.h"
#include "report/html_text.h"

namespace tarvex {
namespace {

struct DayAndHour {
  std::chrono::year_month_day day;
  long hour;
  long minute;
};

DayAndHour Split(std::int64_t seconds) {
  const std::chrono::sys_seconds time{std::chrono::seconds(seconds)};
  const auto day = std::chrono::floor<std::chrono::days>(time);
  const std::int64_t of_day = (time - day).count();
  return {std::chrono::year_month_day(day), static_cast<long>(of_day / 3600), static_cast<long>(of_day / 60 % 60)};
}

}  // namespace

double NiceStep(double rough) {
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough * (1 - 1e-9)) return factor * power;
  }
  return 10.0 * power;
}

int StepDecimals(double step) { return step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9)); }

std::string Coordinate(double value) { return FormatFixed(value, 0, 1); }

std::string SvgText(double x, double y, const char* anchor, const std::string& text) {
  return "<text x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\" text-anchor=\"" + anchor + "\">" +
         HtmlText(text) + "</text>";
}

std::string SvgLine(double x1, double y1, double x2, double y2) {
  return "<line x1=\"" + Coordinate(x1) + "\" y1=\"" + Coordinate(y1) + "\" x2=\"" + Coordinate(x2) + "\" y2=\"" +
         Coordinate(y2) + "\"/>";
}

std::string DayText(std::int64_t seconds) {
  const DayAndHour t = Split(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(t.day.year()),
                static_cast<unsigned>(t.day.month()), static_cast<unsigned>(t.day.day()));
  return text;
}

std::string DayHourText(std::int64_t seconds) {
  const DayAndHour t = Split(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%02u-%02u %02ld:%02ld", static_cast<unsigned>(t.day.month()),
                static_cast<unsigned>(t.day.day()), t.hour, t.minute);
  return text;
}

}  // namespace tarvex
