// The port lists read from made-up trees: a sysfs and /dev of our own (POSIX), and
// registry entries of our own.
#include "link/port_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <variant>

#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::vector<PortEntry>& ports) {
  std::vector<std::string> lines;
  for (const PortEntry& port : ports) lines.push_back(port.name + ": " + PortDescription(port));
  return lines;
}

#ifndef _WIN32
class SysfsTree {
 public:
  SysfsTree() { fs::create_directories(root() / "dev"); }
  fs::path root() const { return folder_.path(); }
  fs::path class_tty() const { return root() / "sys/class/tty"; }

  // A tty whose `device` link points at `device` (under sys/devices), with attributes.
  void Tty(const std::string& name, const std::string& device, std::map<std::string, std::string> attributes = {}) {
    const fs::path tty = class_tty() / name;
    fs::create_directories(tty);
    for (const auto& [file, text] : attributes) tarvex::testing::PutFile(tty / file, text + "\n");
    if (device.empty()) return;
    fs::create_directories(root() / "sys/devices" / device);
    fs::create_directory_symlink(root() / "sys/devices" / device, tty / "device");
  }
  void Attributes(const std::string& device, const std::map<std::string, std::string>& attributes) {
    for (const auto& [file, text] : attributes) tarvex::testing::PutFile(root() / "sys/devices" / device / file, text + "\n");
  }
  void Driver(const std::string& device, const std::string& driver) {
    fs::create_symlink("../../bus/" + driver, root() / "sys/devices" / device / "driver");
  }
  void ById(const std::string& link, const std::string& tty) {
    fs::create_directories(root() / "dev/serial/by-id");
    fs::create_symlink("../../" + tty, root() / "dev/serial/by-id" / link);
  }

 private:
  tarvex::testing::ScratchFolder folder_{"sysfs"};
};

TEST(SysfsPortList, ListsPortsWithHardwareAndTheParticularsOfUsbAdapters) {
  SysfsTree tree;
  const std::string usb = "pci0000:00/0000:00:14.0/usb1/1-2";
  tree.Tty("ttyUSB0", usb + "/1-2:1.0/ttyUSB0");
  tree.Attributes(usb, {{"idVendor", "0403"}, {"idProduct", "6001"}, {"product", "FT232R USB UART"}, {"serial", "A12345"}});
  tree.ById("usb-FTDI_FT232R_USB_UART_A12345-if00-port0", "ttyUSB0");
  const std::string acm = "pci0000:00/0000:00:14.0/usb1/1-3";
  tree.Tty("ttyACM0", acm + "/1-3:1.0");
  tree.Attributes(acm, {{"idVendor", "2341"}, {"idProduct", "0043"}});
  // The serial core's port device stands between the tty and the hardware's driver.
  tree.Tty("ttyS0", "pnp0/00:00/00:00:0/00:00:0.0", {{"type", "4"}});
  tree.Driver("pnp0/00:00/00:00:0/00:00:0.0", "serial-base/drivers/port");
  tree.Driver("pnp0/00:00/00:00:0", "pnp/drivers/serial");
  tree.Tty("ttyS1", "serial8250/serial8250:0/serial8250:0.1", {{"type", "0"}});
  tree.Tty("ttyS2", "serial8250/serial8250:0/serial8250:0.2", {{"type", "4"}});
  tree.Tty("tty1", "");
  tree.Tty("console", "", {{"active", "tty0 ttyS2"}});

  auto ports = ListSysfsPorts(tree.class_tty(), tree.root() / "dev");
  std::ranges::sort(ports, {}, &PortEntry::name);
  const std::string dev = (tree.root() / "dev").string();
  EXPECT_EQ(Lines(ports), (std::vector<std::string>{
                              dev + "/ttyACM0: USB serial adapter (USB 2341:0043)",
                              dev + "/ttyS0: serial port, driver serial",
                              dev + "/ttyUSB0: FT232R USB UART (USB 0403:6001, serial A12345, " + dev +
                                  "/serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0)",
                          }));
}
#endif

// Keys by path, each with its values (a text or a number).
class FakeRegistry final : public RegistrySource {
 public:
  using Value = std::variant<std::string, std::uint32_t>;
  std::map<std::string, std::map<std::string, Value>> keys;

  std::vector<std::string> SubKeys(const std::string& key) override {
    std::vector<std::string> names;
    for (const auto& [path, values] : keys) {
      if (!path.starts_with(key + "\\")) continue;
      const std::string rest = path.substr(key.size() + 1);
      const std::string name = rest.substr(0, rest.find('\\'));
      if (std::ranges::find(names, name) == names.end()) names.push_back(name);
    }
    return names;
  }
  std::vector<std::string> ValueNames(const std::string& key) override {
    std::vector<std::string> names;
    for (const auto& [name, value] : keys[key]) names.push_back(name);
    return names;
  }
  std::optional<std::string> Text(const std::string& key, const std::string& name) override {
    const auto* value = Find(key, name);
    return value != nullptr && std::holds_alternative<std::string>(*value) ? std::optional(std::get<std::string>(*value))
                                                                           : std::nullopt;
  }
  std::optional<std::uint32_t> Number(const std::string& key, const std::string& name) override {
    const auto* value = Find(key, name);
    return value != nullptr && std::holds_alternative<std::uint32_t>(*value)
               ? std::optional(std::get<std::uint32_t>(*value))
               : std::nullopt;
  }

 private:
  const Value* Find(const std::string& key, const std::string& name) {
    const auto found = keys.find(key);
    if (found == keys.end() || !found->second.contains(name)) return nullptr;
    return &found->second.at(name);
  }
};

TEST(RegistryPortList, NamesEachComPortWithItsDevicesFriendlyNameIdsAndLatencyTimer) {
  FakeRegistry registry;
  const std::string e = "SYSTEM\\CurrentControlSet\\Enum\\";
  registry.keys["HARDWARE\\DEVICEMAP\\SERIALCOMM"] = {
      {"\\Device\\VCP0", std::string("COM4")}, {"\\Device\\USBSER000", std::string("COM7")},
      {"\\Device\\Serial0", std::string("COM1")}, {"\\Device\\USBSER001", std::string("COM8")}};
  registry.keys[e + "FTDIBUS\\VID_0403+PID_6001+A12345A\\0000"] = {
      {"FriendlyName", std::string("USB Serial Port (COM4)")}, {"DeviceDesc", std::string("@oem5.inf,%vcp%;USB Serial Port")}};
  registry.keys[e + "FTDIBUS\\VID_0403+PID_6001+A12345A\\0000\\Device Parameters"] = {
      {"PortName", std::string("COM4")}, {"LatencyTimer", std::uint32_t{16}}};
  registry.keys[e + "USB\\VID_2341&PID_0043\\75330303035351F0D0E1"] = {
      {"FriendlyName", std::string("Arduino Uno (COM7)")}, {"DeviceDesc", std::string("Arduino Uno")}};
  registry.keys[e + "USB\\VID_2341&PID_0043\\75330303035351F0D0E1\\Device Parameters"] = {{"PortName", std::string("COM7")}};
  // A device without a serial number: Windows makes up an instance name.
  registry.keys[e + "USB\\VID_1A86&PID_7523\\5&2c0f3e0&0&1"] = {{"FriendlyName", std::string("USB-SERIAL CH340 (COM8)")}};
  registry.keys[e + "USB\\VID_1A86&PID_7523\\5&2c0f3e0&0&1\\Device Parameters"] = {{"PortName", std::string("com8")}};
  registry.keys[e + "ACPI\\PNP0501\\1\\Device Parameters"] = {{"PortName", std::string("COM9")}};

  auto ports = ListRegistryPorts(registry);
  std::ranges::sort(ports, {}, &PortEntry::name);
  EXPECT_EQ(Lines(ports), (std::vector<std::string>{
                              "COM1: \\Device\\Serial0",
                              "COM4: USB Serial Port (COM4) (USB 0403:6001, USB Serial Port, serial A12345, "
                              "latency timer 16 ms)",
                              "COM7: Arduino Uno (COM7) (USB 2341:0043, Arduino Uno, serial 75330303035351F0D0E1)",
                              "COM8: USB-SERIAL CH340 (COM8) (USB 1A86:7523)",
                          }));
}

}  // namespace
}  // namespace tarvex
