#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace tarvex::sim {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A tool that reads nothing for this long loses the rest of the reply.
constexpr int kWriteStallTimeoutMs = 1000;

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

void SetCloseOnExec(int fd) { fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC); }

void MakeRaw(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) ThrowErrno("tcgetattr");
  cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  cfsetispeed(&tio, B38400);
  cfsetospeed(&tio, B38400);
  if (tcsetattr(fd, TCSANOW, &tio) != 0) ThrowErrno("tcsetattr");
}

void PointLinkAt(const fs::path& link, const std::string& target) {
  if (link.has_parent_path()) fs::create_directories(link.parent_path());
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(link, ec);
  if (fs::exists(status) && !fs::is_symlink(status)) {
    throw std::runtime_error(link.string() + " exists and is not a symbolic link");
  }
  fs::path temporary = link;
  temporary += ".tmp" + std::to_string(getpid());
  fs::remove(temporary, ec);
  fs::create_symlink(target, temporary);
  fs::rename(temporary, link);  // replaces an older link in one step
}

}  // namespace

PtyServer::PtyServer(ControllerModel& model, PtyOptions options)
    : model_(model), options_(std::move(options)) {}

PtyServer::~PtyServer() {
  Stop();
  if (wake_read_fd_ >= 0) close(wake_read_fd_);
  if (wake_write_fd_ >= 0) close(wake_write_fd_);
}

void PtyServer::Start() {
  if (thread_.joinable()) return;
  if (wake_read_fd_ < 0) {
    int fds[2];
    if (pipe(fds) != 0) ThrowErrno("pipe");
    wake_read_fd_ = fds[0];
    wake_write_fd_ = fds[1];
    SetCloseOnExec(wake_read_fd_);
    SetCloseOnExec(wake_write_fd_);
    fcntl(wake_read_fd_, F_SETFL, fcntl(wake_read_fd_, F_GETFL) | O_NONBLOCK);
  }
  stopping_ = false;
  OpenLine();
  thread_ = std::thread([this] { Serve(); });
}

void PtyServer::Stop() {
  if (thread_.joinable()) {
    stopping_ = true;
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = write(wake_write_fd_, &wake, 1);
    thread_.join();
    char drained;
    while (read(wake_read_fd_, &drained, 1) > 0) {
    }
  }
  CloseLine();
}

void PtyServer::WithModel(const std::function<void(ControllerModel&)>& fn) {
  std::lock_guard lock(model_mutex_);
  fn(model_);
}

void PtyServer::OpenLine() {
  master_fd_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_fd_ < 0) ThrowErrno("posix_openpt");
  SetCloseOnExec(master_fd_);
  std::array<char, 128> name{};
  if (grantpt(master_fd_) != 0 || unlockpt(master_fd_) != 0 ||
      ptsname_r(master_fd_, name.data(), name.size()) != 0) {
    const int saved = errno;
    CloseLine();
    errno = saved;
    ThrowErrno("pseudo-terminal");
  }
  slave_name_ = name.data();
  slave_fd_ = open(slave_name_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  try {
    if (slave_fd_ < 0) ThrowErrno("open " + slave_name_);
    MakeRaw(slave_fd_);
    fcntl(master_fd_, F_SETFL, fcntl(master_fd_, F_GETFL) | O_NONBLOCK);
    PointLinkAt(options_.link_path, slave_name_);
  } catch (...) {
    CloseLine();
    throw;
  }
}

void PtyServer::CloseLine() {
  std::error_code ec;
  if (!slave_name_.empty() && fs::read_symlink(options_.link_path, ec) == slave_name_) {
    fs::remove(options_.link_path, ec);
  }
  if (master_fd_ >= 0) close(master_fd_);
  if (slave_fd_ >= 0) close(slave_fd_);
  master_fd_ = -1;
  slave_fd_ = -1;
  slave_name_.clear();
}

void PtyServer::Serve() {
  std::array<std::uint8_t, 1024> buffer{};
  while (!stopping_ && master_fd_ >= 0) {
    bool partial = false;
    {
      std::lock_guard lock(model_mutex_);
      partial = model_.HasPartialRequest();
    }
    pollfd fds[2] = {{master_fd_, POLLIN, 0}, {wake_read_fd_, POLLIN, 0}};
    const int timeout = static_cast<int>(options_.partial_request_timeout.count());
    const int ready = poll(fds, 2, partial ? timeout : -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[1].revents != 0) return;
    if (ready == 0) {
      std::lock_guard lock(model_mutex_);
      model_.DropPartialRequest();
      continue;
    }
    const ssize_t n = read(master_fd_, buffer.data(), buffer.size());
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) {
      // The terminal failed under us; bring up a fresh one.
      if (!HangUp(std::chrono::milliseconds(0))) return;
      continue;
    }
    const TimePoint arrived = Clock::now();
    std::vector<Reply> replies;
    {
      std::lock_guard lock(model_mutex_);
      replies = model_.Feed(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)));
    }
    // On a real line the reply cannot start before the request has crossed the wire.
    TimePoint earliest = arrived + WireTime(static_cast<std::size_t>(n));
    for (const Reply& reply : replies) {
      if (!Send(reply, earliest)) break;
      earliest = Clock::now();
    }
  }
}

bool PtyServer::Send(const Reply& reply, TimePoint earliest) {
  if (options_.baud > 0 && !WaitUntil(earliest)) return false;
  for (const ReplyChunk& chunk : reply.chunks) {
    if (chunk.pause_before.count() > 0 && !WaitUntil(Clock::now() + chunk.pause_before)) {
      return false;
    }
    const bool sent = options_.baud > 0
                          ? SendPaced(chunk.bytes.data(), chunk.bytes.size(), Clock::now())
                          : WriteAll(chunk.bytes.data(), chunk.bytes.size());
    if (!sent) return false;
  }
  if (reply.hang_up) return HangUp(reply.hang_up_for);
  return true;
}

bool PtyServer::SendPaced(const std::uint8_t* data, std::size_t n, TimePoint start) {
  // Slices of about a millisecond on the wire, each sent when the line is ready for it.
  const std::size_t slice = std::max<std::size_t>(1, static_cast<std::size_t>(options_.baud) / 10000);
  for (std::size_t offset = 0; offset < n; offset += slice) {
    const std::size_t k = std::min(slice, n - offset);
    if (!WriteAll(data + offset, k)) return false;
    if (!WaitUntil(start + WireTime(offset + k))) return false;
  }
  return true;
}

bool PtyServer::WriteAll(const std::uint8_t* data, std::size_t n) {
  while (n > 0) {
    const ssize_t written = write(master_fd_, data, n);
    if (written > 0) {
      data += written;
      n -= static_cast<std::size_t>(written);
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno != EAGAIN) return false;
    pollfd fds[2] = {{master_fd_, POLLOUT, 0}, {wake_read_fd_, POLLIN, 0}};
    const int ready = poll(fds, 2, kWriteStallTimeoutMs);
    if (ready == 0 || fds[1].revents != 0) return false;
  }
  return true;
}

bool PtyServer::WaitUntil(TimePoint deadline) {
  while (!stopping_) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return true;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1'000'000'000),
                           static_cast<long>(ns % 1'000'000'000)};
    pollfd wake{wake_read_fd_, POLLIN, 0};
    if (ppoll(&wake, 1, &timeout, nullptr) > 0) return false;
  }
  return false;
}

bool PtyServer::HangUp(std::chrono::milliseconds down_for) {
  {
    std::lock_guard lock(model_mutex_);
    model_.DropPartialRequest();
  }
  CloseLine();
  if (!WaitUntil(Clock::now() + down_for)) return false;
  try {
    OpenLine();
  } catch (const std::exception& e) {
    if (options_.on_failure) options_.on_failure(e.what());
    return false;
  }
  return true;
}

std::chrono::nanoseconds PtyServer::WireTime(std::size_t bytes) const {
  if (options_.baud <= 0) return std::chrono::nanoseconds(0);
  return std::chrono::nanoseconds(static_cast<long long>(bytes) * 10'000'000'000LL /
                                  options_.baud);
}

}  // namespace tarvex::sim
