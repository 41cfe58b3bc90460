#include "link/port_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "link/network_address.h"

namespace tarvex {
namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

std::string PortNameFromText(std::string_view text) {
  if (IsNetworkPortText(text)) return std::string(text);
  const auto upper = [](unsigned char c) { return static_cast<char>(std::toupper(c)); };
  if (text.size() > 3 && AllDigits(text.substr(3)) &&
      upper(text[0]) == 'C' && upper(text[1]) == 'O' && upper(text[2]) == 'M') {
    text.remove_prefix(3);
  }
  return std::string(kComPrefix) + std::string(text);
}

std::string_view ShortPortName(std::string_view name) {
  const std::string_view device_space = "\\\\.\\";
  if (name.substr(0, device_space.size()) == device_space) name.remove_prefix(device_space.size());
  return name;
}

std::optional<std::string> ResolvePortName(const std::string& name) {
  std::string_view text(name);
  const std::string_view prefix(kComPrefix);
  if (text.substr(0, prefix.size()) == prefix) text.remove_prefix(prefix.size());
  if (text.empty()) return std::nullopt;
  if (text.front() == '/') return std::string(text);
  if (!AllDigits(text)) return "/dev/" + std::string(text);
  if (text.size() > 9) return std::nullopt;
  const long number = std::stol(std::string(text));
  if (number < 1) return std::nullopt;
  return "/dev/ttyS" + std::to_string(number - 1);
}

}  // namespace tarvex
