// One open serial device. Backends: serial_port_posix.cpp, serial_port_win32.cpp, and
// the network ports of network_port.cpp (raw TCP, RFC 2217), chosen by OpenPort.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tarvex {

class SerialPort {
 public:
  virtual ~SerialPort() = default;
  // Drops pending output and every received byte not yet read.
  virtual void Purge() = 0;
  // Writes all n bytes; false when the device refused them.
  virtual bool Write(const std::uint8_t* data, std::size_t n) = 0;
  // Reads what is available, up to max bytes, waiting at most `timeout` for the
  // first one. Returns the count; 0 on time-out or on a failed read.
  virtual std::size_t Read(std::uint8_t* data, std::size_t max,
                           std::chrono::microseconds timeout) = 0;
  // True once the device has gone (hang-up, unplugged adapter): reads fail at once.
  virtual bool Lost() const { return false; }
  // Once Lost(): the system's words for why ("connection reset by peer"); may be empty.
  virtual std::string LossReason() const { return {}; }
};

class Clock;
class LinkHooks;

// What opening may do while it waits (for a network connection and its negotiation):
// the clock that bounds the wait, and hooks pumped between its slices. Without them the
// real clock and no pumping.
struct OpenWaiting {
  Clock* clock = nullptr;
  LinkHooks* hooks = nullptr;
};

// Why a port did not open, in words for the user.
struct OpenFailure {
  enum class Kind {
    kDevice,  // the device is missing, refused or no serial device
    kBaud,    // the device cannot run at that baud rate
  };
  Kind kind = Kind::kDevice;
  std::string device;  // "/dev/ttyUSB0", "COM7"
  std::string reason;  // "permission denied — the user is not in the dialout group"
};

// Opens and configures the device for raw 8N1 at `baud`; nullptr on any failure,
// described in `*failure` when given. The name is the Windows form "\\.\COM" + text
// (on POSIX see ResolvePortName), or a network address "tcp://HOST:PORT",
// "rfc2217://HOST:PORT" (see network_address.h).
std::unique_ptr<SerialPort> OpenPort(const std::string& name, std::int32_t baud,
                                     OpenFailure* failure = nullptr, const OpenWaiting& waiting = {});

// The serial device backend of OpenPort, for names that are no network address.
std::unique_ptr<SerialPort> OpenSerialDevice(const std::string& name, std::int32_t baud,
                                             OpenFailure* failure);

}  // namespace tarvex
