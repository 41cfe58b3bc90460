// The Windows list: the serial drivers name their ports under DEVICEMAP\SERIALCOMM;
// the device each belongs to is the one in the enumeration tree
// (Enum\BUS\ID\INSTANCE) whose "Device Parameters" hold that PortName.
#include <algorithm>
#include <cctype>
#include <map>

#include "link/port_list.h"

namespace tarvex {
namespace {

constexpr const char* kSerialComm = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr const char* kEnum = "SYSTEM\\CurrentControlSet\\Enum";

struct DeviceKey {
  std::string bus;       // "USB", "FTDIBUS"
  std::string id;        // "VID_0403&PID_6001", "VID_0403+PID_6001+A12345A"
  std::string instance;  // "A12345", "0000"
  std::string key;
};

std::string Upper(std::string text) {
  std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Device texts may read "@oem5.inf,%desc%;USB Serial Port": the text is after the ';'.
std::string ShownText(const std::string& text) {
  const std::size_t semicolon = text.rfind(';');
  return text.starts_with("@") && semicolon != std::string::npos ? text.substr(semicolon + 1) : text;
}

// The four hex digits after `tag` ("VID_") in `id`.
std::string HexAfter(const std::string& id, const std::string& tag) {
  const std::size_t at = Upper(id).find(tag);
  return at == std::string::npos ? "" : Upper(id.substr(at + tag.size(), 4));
}

std::optional<UsbParticulars> UsbOf(const DeviceKey& device, const std::string& product) {
  UsbParticulars usb;
  usb.vendor_id = HexAfter(device.id, "VID_");
  usb.product_id = HexAfter(device.id, "PID_");
  usb.product = product;
  if (usb.vendor_id.empty() || usb.product_id.empty()) return std::nullopt;
  if (Upper(device.bus) == "FTDIBUS") {
    // "VID_0403+PID_6001+A12345A": the adapter's serial number and the letter of its
    // channel.
    const std::size_t plus = device.id.rfind('+');
    if (plus != std::string::npos && device.id.size() > plus + 2) usb.serial = device.id.substr(plus + 1, device.id.size() - plus - 2);
  } else if (device.instance.find('&') == std::string::npos) {
    // Windows makes up an instance name with '&' for a device without a serial number.
    usb.serial = device.instance;
  }
  return usb;
}

std::map<std::string, DeviceKey> DevicesByPortName(RegistrySource& registry) {
  std::map<std::string, DeviceKey> devices;
  for (const std::string& bus : registry.SubKeys(kEnum)) {
    const std::string bus_key = std::string(kEnum) + "\\" + bus;
    for (const std::string& id : registry.SubKeys(bus_key)) {
      for (const std::string& instance : registry.SubKeys(bus_key + "\\" + id)) {
        const std::string key = bus_key + "\\" + id + "\\" + instance;
        const auto port = registry.Text(key + "\\Device Parameters", "PortName");
        if (port) devices.emplace(Upper(*port), DeviceKey{bus, id, instance, key});
      }
    }
  }
  return devices;
}

}  // namespace

std::vector<PortEntry> ListRegistryPorts(RegistrySource& registry) {
  const auto devices = DevicesByPortName(registry);
  std::vector<PortEntry> ports;
  for (const std::string& device_name : registry.ValueNames(kSerialComm)) {
    const auto port = registry.Text(kSerialComm, device_name);
    if (!port) continue;
    // The driver's own device name ("\Device\VCP0") when no device names the port.
    PortEntry entry;
    entry.name = *port;
    entry.description = device_name;
    const auto found = devices.find(Upper(*port));
    if (found != devices.end()) {
      const DeviceKey& device = found->second;
      const std::string product = ShownText(registry.Text(device.key, "DeviceDesc").value_or(""));
      entry.description = ShownText(registry.Text(device.key, "FriendlyName").value_or(product));
      if (Upper(device.bus) == "USB" || Upper(device.bus) == "FTDIBUS") entry.usb = UsbOf(device, product);
      entry.latency_timer_ms = registry.Number(device.key + "\\Device Parameters", "LatencyTimer");
    }
    ports.push_back(std::move(entry));
  }
  return ports;
}

}  // namespace tarvex
