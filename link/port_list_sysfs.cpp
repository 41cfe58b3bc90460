// The Linux list: one folder per tty under /sys/class/tty; those with a device
// behind them are ports, and a USB adapter's particulars sit a few folders up.
#include <fstream>
#include <set>
#include <sstream>

#include "link/port_list.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

// The first line of a sysfs attribute; empty when there is none.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
  return line;
}

std::set<std::string> ConsoleNames(const fs::path& class_tty) {
  std::istringstream words(Attribute(class_tty / "console" / "active"));
  std::set<std::string> names;
  for (std::string name; words >> name;) names.insert(name);
  return names;
}

// A USB serial port's device is the interface (ttyACM) or a port below the
// interface (ttyUSB); the USB device with its ids is the next folder up.
std::optional<UsbParticulars> UsbOf(const fs::path& device) {
  fs::path folder = device;
  for (int level = 0; level < 3 && folder.has_relative_path(); ++level, folder = folder.parent_path()) {
    if (!fs::exists(folder / "idVendor")) continue;
    return UsbParticulars{Attribute(folder / "idVendor"), Attribute(folder / "idProduct"),
                          Attribute(folder / "product"), Attribute(folder / "serial")};
  }
  return std::nullopt;
}

// The driver of the hardware: the serial core's own port devices stand between it
// and the tty, and name no hardware.
std::string DriverOf(const fs::path& device) {
  fs::path folder = device;
  for (int level = 0; level < 3 && folder.has_relative_path(); ++level, folder = folder.parent_path()) {
    std::error_code error;
    const fs::path driver = fs::read_symlink(folder / "driver", error);
    if (error || driver.string().find("/serial-base/") != std::string::npos) continue;
    return driver.filename().string();
  }
  return "";
}

std::string StableName(const fs::path& dev, const std::string& name) {
  std::error_code error;
  for (const auto& link : fs::directory_iterator(dev / "serial" / "by-id", error)) {
    std::error_code link_error;
    if (fs::read_symlink(link.path(), link_error).filename() == name && !link_error) return link.path().string();
  }
  return "";
}

}  // namespace

std::vector<PortEntry> ListSysfsPorts(const fs::path& class_tty, const fs::path& dev) {
  const std::set<std::string> consoles = ConsoleNames(class_tty);
  std::vector<PortEntry> ports;
  std::error_code error;
  for (const auto& tty : fs::directory_iterator(class_tty, error)) {
    const std::string name = tty.path().filename().string();
    std::error_code device_error;
    const fs::path device = fs::canonical(tty.path() / "device", device_error);
    // Virtual terminals have no device; a UART slot of type 0 has no chip behind it.
    if (device_error || consoles.contains(name) || Attribute(tty.path() / "type") == "0") continue;
    PortEntry entry;
    entry.name = (dev / name).string();
    entry.usb = UsbOf(device);
    entry.stable_name = StableName(dev, name);
    if (entry.usb) {
      entry.description = entry.usb->product.empty() ? "USB serial adapter" : entry.usb->product;
    } else {
      const std::string driver = DriverOf(device);
      entry.description = driver.empty() ? "serial port" : "serial port, driver " + driver;
    }
    ports.push_back(std::move(entry));
  }
  return ports;
}

}  // namespace tarvex
