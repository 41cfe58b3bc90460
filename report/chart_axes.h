// What the report's charts share: steps that read well on an axis, numbers as SVG
// coordinates, labels and lines, and dates from the seconds of a time axis.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

// The step of 1, 2 or 5 times a power of ten nearest above `rough` (rough > 0).
double NiceStep(double rough);

// The decimals a label of a multiple of `step` needs: 0.5 -> 1, 2 -> 0.
int StepDecimals(double step);

// A coordinate: "%.1f".
std::string Coordinate(double value);

// A label (text-anchor "start", "middle" or "end") and a line of an axis.
std::string SvgText(double x, double y, const char* anchor, const std::string& text);
std::string SvgLine(double x1, double y1, double x2, double y2);

// Seconds from 1970-01-01 as "2025-01-20", and with the hour as "01-20 14:00".
std::string DayText(std::int64_t seconds);
std::string DayHourText(std::int64_t seconds);

}  // namespace tarvex
