#include "basics/str_to_int.h"

#include <charconv>
#include <string>

#include "basics/conversion_error.h"

namespace tarvex {

std::int32_t StrToInt(std::string_view text) {
  // from_chars takes "-" but not "+"; a "+" is allowed only before a digit.
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '+' && digits.size() > 1 && digits[1] != '-') {
    digits.remove_prefix(1);
  }
  std::int32_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [ptr, ec] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || ec != std::errc() || ptr != end) {
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
  }
  return value;
}

}  // namespace tarvex
