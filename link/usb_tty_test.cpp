#include "link/usb_tty.h"

#include <gtest/gtest.h>

#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

TEST(UsbTty, KnownByItsDeviceOnAUsbBusInTheSysfsTree) {
  const testing::ScratchFolder folder("usb-tty");
  const fs::path sys = folder.path() / "sys";
  const fs::path dev = folder.path() / "dev";
  const auto add = [&](const char* name, const fs::path& device_folder) {
    fs::create_directories(sys / device_folder);
    fs::create_directories(sys / "class/tty" / name);
    fs::create_directory_symlink(sys / device_folder, sys / "class/tty" / name / "device");
    fs::create_directories(dev);
    testing::PutFile(dev / name, "");
  };
  add("ttyUSB0", "devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/ttyUSB0");
  add("ttyS0", "devices/platform/serial8250");
  fs::create_directories(dev / "serial/by-id");
  fs::create_symlink("../../ttyUSB0", dev / "serial/by-id/usb-adapter-if00-port0");

  EXPECT_TRUE(IsUsbTty(dev / "ttyUSB0", sys));
  EXPECT_TRUE(IsUsbTty(dev / "serial/by-id/usb-adapter-if00-port0", sys));
  EXPECT_FALSE(IsUsbTty(dev / "ttyS0", sys));
  EXPECT_FALSE(IsUsbTty(dev / "ttyACM9", sys));
}

}  // namespace
}  // namespace tarvex
