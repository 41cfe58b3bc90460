// The serial ports the system has, with what the system says of each, so that the
// user can tell which one the controller's cable is on. Linux reads the kernel's
// tty class folder, Windows the registry; each takes its root as a parameter, so
// tests give a made-up tree.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

struct UsbParticulars {
  std::string vendor_id;   // "0403", four hex digits
  std::string product_id;  // "6001"
  std::string product;     // "FT232R USB UART"; may be empty
  std::string serial;      // "A12345"; empty when the device has none
};

struct PortEntry {
  std::string name;         // the port text the tool takes: "/dev/ttyUSB0", "COM4"
  std::string description;  // the system's words for it: "USB Serial Port (COM4)"
  std::optional<UsbParticulars> usb;
  std::string stable_name;  // "/dev/serial/by-id/usb-..." (Linux); empty when none
  // The adapter's latency timer where its driver keeps it (Windows).
  std::optional<std::uint32_t> latency_timer_ms;
};

// The serial ports under `class_tty` (/sys/class/tty) with their device files and
// stable names under `dev` (/dev): devices with hardware behind them, not the
// virtual consoles, not the port the kernel's console writes to, not a UART slot the
// driver found empty. Pseudo-terminals have no entry there.
std::vector<PortEntry> ListSysfsPorts(const std::filesystem::path& class_tty, const std::filesystem::path& dev);

// The part of the registry the Windows list reads, under one root (HKEY_LOCAL_MACHINE
// for the system's). Keys are paths below the root with backslashes.
class RegistrySource {
 public:
  virtual ~RegistrySource() = default;
  virtual std::vector<std::string> SubKeys(const std::string& key) = 0;
  // The names of the key's values.
  virtual std::vector<std::string> ValueNames(const std::string& key) = 0;
  // A text value (REG_SZ); nullopt when missing or of another type.
  virtual std::optional<std::string> Text(const std::string& key, const std::string& name) = 0;
  // A number value (REG_DWORD); nullopt when missing or of another type.
  virtual std::optional<std::uint32_t> Number(const std::string& key, const std::string& name) = 0;
};

// The COM ports of HARDWARE\DEVICEMAP\SERIALCOMM, each with its device's friendly
// name, USB ids and latency timer from SYSTEM\CurrentControlSet\Enum.
std::vector<PortEntry> ListRegistryPorts(RegistrySource& registry);

#ifdef _WIN32
// The registry below `root` ("HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER\Software\X")
// through the Windows API (registry_win32.cpp).
std::unique_ptr<RegistrySource> OpenRegistry(const std::string& root);
#endif

// This system's ports, in the order of their names' numbers (COM2 before COM10).
std::vector<PortEntry> ListSystemPorts();

// "FT232R USB UART (USB 0403:6001, serial A12345, /dev/serial/by-id/usb-...)".
std::string PortDescription(const PortEntry& entry);

}  // namespace tarvex
