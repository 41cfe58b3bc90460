#include "link/port_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tarvex {

std::optional<std::string> ResolvePortName(const std::string& name) {
  std::string_view text(name);
  const std::string_view prefix(kComPrefix);
  if (text.substr(0, prefix.size()) == prefix) text.remove_prefix(prefix.size());
  if (text.empty()) return std::nullopt;
  if (text.front() == '/') return std::string(text);
  const bool digits = std::all_of(text.begin(), text.end(),
                                  [](unsigned char c) { return std::isdigit(c) != 0; });
  if (!digits) return "/dev/" + std::string(text);
  if (text.size() > 9) return std::nullopt;
  const long number = std::stol(std::string(text));
  if (number < 1) return std::nullopt;
  return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace tarvex
