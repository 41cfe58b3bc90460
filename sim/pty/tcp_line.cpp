#include "sim/pty/tcp_line.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>

namespace tarvex::sim {
namespace {

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

sockaddr_in ParseListen(const std::string& listen) {
  const std::size_t colon = listen.rfind(':');
  sockaddr_in address{};
  address.sin_family = AF_INET;
  unsigned port = 0;
  const char* end = listen.data() + listen.size();
  if (colon == std::string::npos || std::from_chars(listen.data() + colon + 1, end, port).ptr != end ||
      colon + 1 == listen.size() || port > 65535 ||
      ::inet_pton(AF_INET, listen.substr(0, colon).c_str(), &address.sin_addr) != 1) {
    throw std::runtime_error("--listen wants IPV4-ADDRESS:PORT, not '" + listen + "'");
  }
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

}  // namespace

TcpLine::~TcpLine() {
  Close();
  if (listen_fd_ >= 0) ::close(listen_fd_);
}

void TcpLine::Open() {
  if (listen_fd_ >= 0) return;
  sockaddr_in address = ParseListen(listen_);
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) ThrowErrno("socket");
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 1) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    ThrowErrno("listen on " + listen_);
  }
  listen_fd_ = fd;
  address_ = "tcp://" + listen_.substr(0, listen_.rfind(':')) + ":" + std::to_string(ntohs(address.sin_port));
}

void TcpLine::Close() {
  if (connection_fd_ >= 0) ::close(connection_fd_);
  connection_fd_ = -1;
}

bool TcpLine::AwaitPeer(int wake_fd) {
  while (listen_fd_ >= 0 && connection_fd_ < 0) {
    pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {wake_fd, POLLIN, 0}};
    const int ready = ::poll(fds, 2, -1);
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[1].revents != 0) return false;
    connection_fd_ = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (connection_fd_ >= 0) {
      // Paced replies go out slice by slice, as they would cross the wire.
      const int on = 1;
      ::setsockopt(connection_fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
  }
  return connection_fd_ >= 0;
}

}  // namespace tarvex::sim
