// The port of a serial server on the network, behind the SerialPort interface:
// raw TCP (the bytes as on the wire) or RFC 2217 (Telnet, the baud rate set through the
// server).
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "link/network_address.h"
#include "link/serial_port.h"

namespace tarvex {

// How long an RFC 2217 server may take to confirm the baud rate.
inline constexpr auto kServerSettingsWait = std::chrono::seconds(5);

// Connects to the server that `text` names and, for RFC 2217, sets `baud` through it;
// nullptr on failure, described in `*failure` when given.
std::unique_ptr<SerialPort> OpenNetworkPort(const std::string& text, std::int32_t baud, OpenFailure* failure,
                                            const OpenWaiting& waiting);

}  // namespace tarvex
