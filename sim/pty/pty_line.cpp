#include "sim/pty/pty_line.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace tarvex::sim {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

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

void PtyLine::Open(bool keep_device_open) {
  Close();
  master_fd_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_fd_ < 0) ThrowErrno("posix_openpt");
  fcntl(master_fd_, F_SETFD, fcntl(master_fd_, F_GETFD) | FD_CLOEXEC);
  std::array<char, 128> name{};
  if (grantpt(master_fd_) != 0 || unlockpt(master_fd_) != 0 ||
      ptsname_r(master_fd_, name.data(), name.size()) != 0) {
    const int saved = errno;
    Close();
    errno = saved;
    ThrowErrno("pseudo-terminal");
  }
  slave_name_ = name.data();
  slave_fd_ = open(slave_name_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  try {
    if (slave_fd_ < 0) ThrowErrno("open " + slave_name_);
    // The terminal keeps its settings while the controller's end stays open.
    MakeRaw(slave_fd_);
    fcntl(master_fd_, F_SETFL, fcntl(master_fd_, F_GETFL) | O_NONBLOCK);
    PointLinkAt(link_path_, slave_name_);
  } catch (...) {
    Close();
    throw;
  }
  if (!keep_device_open) {
    close(slave_fd_);
    slave_fd_ = -1;
  }
}

void PtyLine::Close() {
  std::error_code ec;
  if (!slave_name_.empty() && fs::read_symlink(link_path_, ec) == slave_name_) {
    fs::remove(link_path_, ec);
  }
  if (master_fd_ >= 0) close(master_fd_);
  if (slave_fd_ >= 0) close(slave_fd_);
  master_fd_ = -1;
  slave_fd_ = -1;
  slave_name_.clear();
}

}  // namespace tarvex::sim
