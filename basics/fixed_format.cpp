#include "basics/fixed_format.h"

#include <charconv>
#include <cmath>

namespace tarvex {

std::string FormatFixed(double value, int width, int precision) {
  // Enough for the 309 integer digits of the largest double plus sign, point and
  // any precision a caller uses.
  char digits[400];
  std::string text;
  if (std::isnan(value)) {
    text = std::signbit(value) ? "-nan" : "nan";
  } else {
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
    text.assign(digits, result.ptr);
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace tarvex
