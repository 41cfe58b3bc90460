#include "sim/pty/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "link/termios_speed.h"
#include "sim/pty/line_io.h"
#include "sim/pty/pty_line.h"
#include "sim/pty/tcp_line.h"
#include "sim/pty/usb_packets.h"

namespace tarvex::sim {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

void SetCloseOnExec(int fd) { fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC); }

// The terminal, its device side kept open so that the tool may close and re-open it.
class PtyServedLine final : public ServedLine {
 public:
  explicit PtyServedLine(std::string link_path) : line_(std::move(link_path)) {}
  void Open() override { line_.Open(true); }
  void Close() override { line_.Close(); }
  int fd() const override { return line_.fd(); }
  bool AwaitPeer(int) override { return line_.fd() >= 0; }
  const std::string& address() const override { return line_.link_path(); }

 private:
  PtyLine line_;
};

std::unique_ptr<ServedLine> MakeLine(const PtyOptions& options) {
  if (!options.listen.empty()) return std::make_unique<TcpLine>(options.listen);
  return std::make_unique<PtyServedLine>(options.link_path);
}

}  // namespace

PtyServer::PtyServer(ControllerModel& model, PtyOptions options)
    : model_(model), options_(std::move(options)), line_(MakeLine(options_)) {}

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
  line_->Open();
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
  line_->Close();
}

void PtyServer::WithModel(const std::function<void(ControllerModel&)>& fn) {
  std::lock_guard lock(model_mutex_);
  fn(model_);
}

void PtyServer::Serve() {
  std::array<std::uint8_t, 1024> buffer{};
  while (!stopping_) {
    if (line_->fd() < 0) {
      if (!line_->AwaitPeer(wake_read_fd_)) return;
      continue;
    }
    bool partial = false;
    {
      std::lock_guard lock(model_mutex_);
      partial = model_.HasPartialRequest();
    }
    pollfd fds[2] = {{line_->fd(), POLLIN, 0}, {wake_read_fd_, POLLIN, 0}};
    const int timeout = static_cast<int>(options_.partial_request_timeout.count());
    const int ready = poll(fds, 2, partial ? timeout : -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[1].revents != 0) return;
    if (ready == 0) {
      std::lock_guard lock(model_mutex_);
      model_.DropPartialRequest();
      continue;
    }
    const ssize_t n = read(line_->fd(), buffer.data(), buffer.size());
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) {
      // The terminal failed under us; bring up a fresh one.
      if (!HangUp(std::chrono::milliseconds(0))) return;
      continue;
    }
    const TimePoint arrived = LineClock::now();
    if (!AtOwnBaud()) continue;
    std::vector<Reply> replies;
    {
      std::lock_guard lock(model_mutex_);
      replies = model_.Feed(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)));
    }
    // On a real line the reply cannot start before the request has crossed the wire.
    TimePoint earliest = arrived + WireTime(static_cast<std::size_t>(n), options_.baud);
    for (const Reply& reply : replies) {
      if (!Send(reply, earliest)) break;
      earliest = LineClock::now();
    }
  }
}

bool PtyServer::AtOwnBaud() const {
  if (!options_.strict_baud) return true;
  // The controller's end of a pseudo-terminal reads the settings the tool made on its side.
  termios tio{};
  return tcgetattr(line_->fd(), &tio) == 0 && cfgetospeed(&tio) == TermiosSpeed(options_.baud);
}

bool PtyServer::Send(const Reply& reply, TimePoint earliest) {
  if (options_.usb_latency.count() > 0) {
    const TimePoint start = std::max(earliest, LineClock::now());
    for (const HeldPacket& packet : HoldInPackets(reply, start, options_.baud, options_.usb_latency)) {
      if (!WaitUntil(packet.at, wake_read_fd_) ||
          !WriteAll(line_->fd(), packet.bytes.data(), packet.bytes.size(), wake_read_fd_)) {
        return false;
      }
    }
    return !reply.hang_up || HangUp(reply.hang_up_for);
  }
  if (options_.baud > 0 && !WaitUntil(earliest, wake_read_fd_)) return false;
  for (const ReplyChunk& chunk : reply.chunks) {
    if (chunk.pause_before.count() > 0 &&
        !WaitUntil(LineClock::now() + chunk.pause_before, wake_read_fd_)) {
      return false;
    }
    if (!WritePaced(line_->fd(), chunk.bytes.data(), chunk.bytes.size(), options_.baud,
                    wake_read_fd_)) {
      return false;
    }
  }
  if (reply.hang_up) return HangUp(reply.hang_up_for);
  return true;
}

bool PtyServer::HangUp(std::chrono::milliseconds down_for) {
  {
    std::lock_guard lock(model_mutex_);
    model_.DropPartialRequest();
  }
  line_->Close();
  if (!WaitUntil(LineClock::now() + down_for, wake_read_fd_)) return false;
  try {
    line_->Open();
  } catch (const std::exception& e) {
    if (options_.on_failure) options_.on_failure(e.what());
    return false;
  }
  return true;
}

}  // namespace tarvex::sim
