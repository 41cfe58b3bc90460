#include "link/usb_tty.h"

#include <sys/ioctl.h>
#ifdef __linux__
#include <linux/serial.h>
#endif

#include <system_error>

namespace tarvex {

bool IsUsbTty(const std::filesystem::path& device, const std::filesystem::path& sys_root) {
  std::error_code ec;
  const auto real = std::filesystem::canonical(device, ec);
  if (ec) return false;
  const auto bus = std::filesystem::canonical(sys_root / "class" / "tty" / real.filename() / "device", ec);
  return !ec && bus.generic_string().find("/usb") != std::string::npos;
}

void RequestLowLatency(int fd) {
#ifdef __linux__
  serial_struct serial{};
  if (::ioctl(fd, TIOCGSERIAL, &serial) != 0) return;
  serial.flags |= ASYNC_LOW_LATENCY;
  (void)::ioctl(fd, TIOCSSERIAL, &serial);
#else
  (void)fd;
#endif
}

}  // namespace tarvex
