#include "service/general_float.h"

#include <charconv>
#include <cmath>

namespace tarvex {
namespace {

constexpr int kSignificantDigits = 15;
// Plain notation from 1E-5 up to 15 integer digits.
constexpr int kSmallestPlainExponent = -5;

// The significant digits of |value| > 0, rounded to 15, and the decimal exponent of
// the first one.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal RoundedDigits(double magnitude) {
  // Every double has an exact decimal expansion of at most 767 significant digits.
  char text[800];
  const auto result =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 770);
  const std::string_view s(text, result.ptr - text);
  const std::size_t e = s.find('e');
  Decimal d;
  d.digits = std::string(1, s[0]) + std::string(s.substr(2, e - 2));
  std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), d.exponent);
  const bool round_up = d.digits[kSignificantDigits] >= '5';
  d.digits.resize(kSignificantDigits);
  if (round_up) {
    int i = kSignificantDigits - 1;
    for (; i >= 0 && d.digits[i] == '9'; --i) d.digits[i] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits.insert(0, 1, '1');
      d.digits.pop_back();
      ++d.exponent;
    }
  }
  d.digits.erase(d.digits.find_last_not_of('0') + 1);
  return d;
}

}  // namespace

std::string FormatGeneralFloat(double value, char decimal_separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0.0) return "0";
  const Decimal d = RoundedDigits(std::fabs(value));
  std::string text = value < 0 ? "-" : "";
  if (d.exponent >= kSignificantDigits || d.exponent < kSmallestPlainExponent) {
    text += d.digits[0];
    if (d.digits.size() > 1) text += decimal_separator + d.digits.substr(1);
    text += "E" + std::to_string(d.exponent);
  } else if (d.exponent >= 0) {
    const std::size_t integer_digits = static_cast<std::size_t>(d.exponent) + 1;
    std::string digits = d.digits;
    if (digits.size() < integer_digits) digits.resize(integer_digits, '0');
    text += digits.substr(0, integer_digits);
    if (digits.size() > integer_digits) text += decimal_separator + digits.substr(integer_digits);
  } else {
    text += std::string("0") + decimal_separator + std::string(-d.exponent - 1, '0') + d.digits;
  }
  return text;
}

}  // namespace tarvex
