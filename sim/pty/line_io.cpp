#include "sim/pty/line_io.h"

#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tarvex::sim {
namespace {

// A tool that reads nothing for this long loses the rest of the bytes.
constexpr int kWriteStallTimeoutMs = 1000;

}  // namespace

std::chrono::nanoseconds WireTime(std::size_t bytes, std::int32_t baud) {
  if (baud <= 0) return std::chrono::nanoseconds(0);
  return std::chrono::nanoseconds(static_cast<long long>(bytes) * 10'000'000'000LL / baud);
}

bool WaitUntil(LineClock::time_point deadline, int wake_fd) {
  while (true) {
    const auto left = deadline - LineClock::now();
    if (left <= LineClock::duration::zero()) return true;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1'000'000'000),
                           static_cast<long>(ns % 1'000'000'000)};
    pollfd wake{wake_fd, POLLIN, 0};
    const int ready = ppoll(&wake, wake_fd >= 0 ? 1 : 0, &timeout, nullptr);
    if (ready > 0) return false;
  }
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t n, int wake_fd) {
  while (n > 0) {
    // A socket whose peer has gone fails the write instead of raising SIGPIPE.
    ssize_t written = send(fd, data, n, MSG_NOSIGNAL);
    if (written < 0 && errno == ENOTSOCK) written = write(fd, data, n);
    if (written > 0) {
      data += written;
      n -= static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN) return false;
    pollfd fds[2] = {{fd, POLLOUT, 0}, {wake_fd, POLLIN, 0}};
    const int ready = poll(fds, wake_fd >= 0 ? 2 : 1, kWriteStallTimeoutMs);
    if (ready == 0 || fds[1].revents != 0) return false;
  }
  return true;
}

bool WritePaced(int fd, const std::uint8_t* data, std::size_t n, std::int32_t baud, int wake_fd) {
  if (baud <= 0) return WriteAll(fd, data, n, wake_fd);
  const auto start = LineClock::now();
  const std::size_t slice = std::max<std::size_t>(1, static_cast<std::size_t>(baud) / 10000);
  for (std::size_t offset = 0; offset < n; offset += slice) {
    const std::size_t k = std::min(slice, n - offset);
    if (!WriteAll(fd, data + offset, k, wake_fd)) return false;
    if (!WaitUntil(start + WireTime(offset + k, baud), wake_fd)) return false;
  }
  return true;
}

}  // namespace tarvex::sim
