// Port texts that name a serial server on the network instead of a device:
// "tcp://HOST:PORT" (the bytes as on the wire) and "rfc2217://HOST:PORT" (Telnet with
// the COM port option, which sets the baud rate through the server).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

struct NetworkAddress {
  enum class Scheme { kRawTcp, kRfc2217 };
  Scheme scheme = Scheme::kRawTcp;
  std::string host;  // a name, an IPv4 address, or an IPv6 one without its brackets
  std::uint16_t port = 0;
};

// True when the text starts with one of the two schemes (any case).
bool IsNetworkPortText(std::string_view text);

// The address of a network port text; nullopt, with what is wrong in `*error`, when the
// host or the port (1..65535) is missing or malformed. HOST may be "[IPv6]".
std::optional<NetworkAddress> ParseNetworkAddress(std::string_view text, std::string* error);

}  // namespace tarvex
