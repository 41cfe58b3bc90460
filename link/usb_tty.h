// Terminal devices on USB serial adapters (Linux), which hold short replies until a
// latency timer runs out unless their driver is asked for low latency.
#pragma once

#include <filesystem>

namespace tarvex {

// True when the terminal device `device` (/dev/ttyUSB0, or a link to it such as
// /dev/serial/by-id/...) sits on a USB bus, as its entry in the sysfs tree under
// `sys_root` says.
bool IsUsbTty(const std::filesystem::path& device, const std::filesystem::path& sys_root = "/sys");

// Asks the driver of the open terminal `fd` for low latency; a driver that refuses, or
// does not know the request, leaves the port as it was.
void RequestLowLatency(int fd);

}  // namespace tarvex
