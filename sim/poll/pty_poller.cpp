#include "sim/poll/pty_poller.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "sim/pty/line_io.h"

namespace tarvex::sim {
namespace {

// The controller's end gives no event when the device side is opened, only POLLHUP
// while it is not, so the wait looks again at this interval.
constexpr auto kDeviceCheck = std::chrono::milliseconds(20);

bool DeviceOpen(int fd) {
  pollfd p{fd, 0, 0};
  return poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0;
}

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) > 0;
}

}  // namespace

PtyPoller::PtyPoller(std::string link_path, PollerOptions options)
    : options_(options), line_(std::move(link_path)) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  wake_read_fd_ = fds[0];
  wake_write_fd_ = fds[1];
  for (int fd : fds) fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

PtyPoller::~PtyPoller() {
  line_.Close();
  close(wake_read_fd_);
  close(wake_write_fd_);
}

void PtyPoller::Open() { line_.Open(false); }

bool PtyPoller::WaitForDevice(std::optional<std::chrono::milliseconds> limit) {
  const auto start = LineClock::now();
  while (line_.fd() >= 0 && !Readable(wake_read_fd_)) {
    if (DeviceOpen(line_.fd())) return true;
    const auto next = LineClock::now() + kDeviceCheck;
    if (limit && next - start > *limit) return false;
    WaitUntil(next, wake_read_fd_);
  }
  return false;
}

PollReport PtyPoller::Run(std::ostream& out) {
  return RunPoller(line_.fd(), options_, out, wake_read_fd_);
}

void PtyPoller::Cancel() {
  const char wake = 1;
  [[maybe_unused]] const ssize_t written = write(wake_write_fd_, &wake, 1);
}

}  // namespace tarvex::sim
