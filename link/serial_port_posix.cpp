// POSIX backend: termios raw 8N1, reads waited for with poll().
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "link/permission_hint.h"
#include "link/port_name.h"
#include "link/serial_port.h"
#include "link/usb_tty.h"
#include "link/termios_speed.h"

namespace tarvex {
namespace {

class PosixSerialPort final : public SerialPort {
 public:
  explicit PosixSerialPort(int fd) : fd_(fd) {}
  ~PosixSerialPort() override {
    // The exclusive mark outlives this descriptor while a peer holds the device.
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
  }
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  void Purge() override { ::tcflush(fd_, TCIOFLUSH); }

  bool Write(const std::uint8_t* data, std::size_t n) override {
    std::size_t done = 0;
    while (done < n && !lost_) {
      const ssize_t written = ::write(fd_, data + done, n - done);
      if (written > 0) {
        done += static_cast<std::size_t>(written);
      } else if (written < 0 && errno == EAGAIN) {
        pollfd pfd{fd_, POLLOUT, 0};
        if (::poll(&pfd, 1, kWriteStallMs) <= 0) return false;
      } else if (written < 0 && errno != EINTR) {
        MarkLostOn(errno);
        return false;
      }
    }
    return done == n;
  }

  std::size_t Read(std::uint8_t* data, std::size_t max,
                   std::chrono::microseconds timeout) override {
    if (max == 0 || lost_) return 0;
    pollfd pfd{fd_, POLLIN, 0};
    // Microsecond waits: a silence ends when it is due, not at the next millisecond.
    const auto us = std::max<long long>(timeout.count(), 0);
    const timespec wait{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
    const int ready = ::ppoll(&pfd, 1, &wait, nullptr);
    if (ready <= 0) return 0;
    const ssize_t got = ::read(fd_, data, max);
    if (got > 0) return static_cast<std::size_t>(got);
    if (got == 0 || (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      lost_ = true;
      loss_reason_ = "the device hung up";
    } else {
      MarkLostOn(errno);
    }
    return 0;
  }

  bool Lost() const override { return lost_; }
  std::string LossReason() const override { return loss_reason_; }

 private:
  static constexpr int kWriteStallMs = 1000;

  void MarkLostOn(int error);

  int fd_;
  bool lost_ = false;
  std::string loss_reason_;
};

bool ConfigureRaw(int fd, speed_t speed) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cflag &= ~(CSTOPB | PARENB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

// The system's words for `error` on `path`, with a hint where the cause is usually the same.
std::string ErrorReason(int error, const std::string& path) {
  if (error == ENOTTY) return "not a serial device";
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  if (error == EACCES || error == EPERM) {
    const auto device = DeviceAccessOf(path);
    return device ? text + " — " + PermissionHint(*device) : text;
  }
  if (error == EBUSY) return text + " — is another program using it?";
  return text;
}

void PosixSerialPort::MarkLostOn(int error) {
  if (error == EIO || error == ENXIO || error == ENODEV || error == EBADF) {
    lost_ = true;
    loss_reason_ = ErrorReason(error, "");
  }
}

bool HeldExclusively(int fd) {
#ifdef TIOCGEXCL
  int held = 0;
  return ::ioctl(fd, TIOCGEXCL, &held) == 0 && held != 0;
#else
  (void)fd;
  return false;
#endif
}

std::unique_ptr<SerialPort> Refuse(OpenFailure* failure, OpenFailure::Kind kind, std::string device,
                                   std::string reason) {
  if (failure != nullptr) *failure = {kind, std::move(device), std::move(reason)};
  return nullptr;
}

}  // namespace

std::unique_ptr<SerialPort> OpenSerialDevice(const std::string& name, std::int32_t baud,
                                             OpenFailure* failure) {
  using Kind = OpenFailure::Kind;
  const auto path = ResolvePortName(name);
  if (!path) return Refuse(failure, Kind::kDevice, std::string(ShortPortName(name)), "no such port");
  if (TermiosSpeed(baud) == B0) {
    return Refuse(failure, Kind::kBaud, *path, "baud rate " + std::to_string(baud) + " is not supported");
  }
  const int fd = ::open(path->c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Refuse(failure, Kind::kDevice, *path, ErrorReason(errno, *path));
  // Exclusive like the Windows share mode 0: a second open of the device fails. The
  // kernel lets a privileged user past that mark, so it is checked here as well: a
  // port another program holds must not get our requests.
  if (HeldExclusively(fd)) {
    ::close(fd);
    return Refuse(failure, Kind::kDevice, *path, ErrorReason(EBUSY, *path));
  }
  if (::ioctl(fd, TIOCEXCL) != 0 || !ConfigureRaw(fd, TermiosSpeed(baud))) {
    const int error = errno;
    ::close(fd);
    return Refuse(failure, Kind::kDevice, *path, ErrorReason(error, *path));
  }
  // Without it a USB adapter adds its latency timer (16 ms by default) to every reply.
  if (IsUsbTty(*path)) RequestLowLatency(fd);
  ::tcflush(fd, TCIOFLUSH);
  // Clear RTS; pseudo-terminals have no modem lines and refuse this, which is harmless.
  int rts = TIOCM_RTS;
  (void)::ioctl(fd, TIOCMBIC, &rts);
  return std::make_unique<PosixSerialPort>(fd);
}

}  // namespace tarvex
