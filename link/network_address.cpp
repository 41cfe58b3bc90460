#include "link/network_address.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tarvex {
namespace {

constexpr std::string_view kRawTcp = "tcp://";
constexpr std::string_view kRfc2217 = "rfc2217://";

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

bool IsNetworkPortText(std::string_view text) {
  return StartsWithNoCase(text, kRawTcp) || StartsWithNoCase(text, kRfc2217);
}

std::optional<NetworkAddress> ParseNetworkAddress(std::string_view text, std::string* error) {
  NetworkAddress address;
  std::string_view rest;
  if (StartsWithNoCase(text, kRawTcp)) {
    rest = text.substr(kRawTcp.size());
  } else if (StartsWithNoCase(text, kRfc2217)) {
    address.scheme = NetworkAddress::Scheme::kRfc2217;
    rest = text.substr(kRfc2217.size());
  } else {
    *error = "not a network address";
    return std::nullopt;
  }
  const std::size_t colon = rest.rfind(':');
  std::string_view host = rest.substr(0, colon == std::string_view::npos ? rest.size() : colon);
  if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  if (host.empty()) {
    *error = "no host before the port";
    return std::nullopt;
  }
  const std::string_view port = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
  unsigned value = 0;
  const auto [end, failed] = std::from_chars(port.data(), port.data() + port.size(), value);
  if (port.empty() || failed != std::errc() || end != port.data() + port.size() || value == 0 || value > 65535) {
    *error = "no port number 1..65535 after the host";
    return std::nullopt;
  }
  address.host = std::string(host);
  address.port = static_cast<std::uint16_t>(value);
  return address;
}

}  // namespace tarvex
