// POSIX sockets: non-blocking, close-on-exec, no SIGPIPE on a connection the far end
// has closed.
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "link/socket_ops.h"

namespace tarvex::net {
namespace {

std::string ErrorText(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

int Fd(SocketHandle socket) { return static_cast<int>(socket); }

// What a send or receive that returned `result` did; `error` is errno after it.
Transfer Judge(ssize_t result, int error) {
  Transfer t;
  if (result >= 0) {
    t.bytes = static_cast<std::size_t>(result);
  } else if (error == EAGAIN || error == EWOULDBLOCK || error == EINTR) {
    t.would_block = true;
  } else {
    t.failed = true;
    t.reason = ErrorText(error);
  }
  return t;
}

}  // namespace

std::vector<Endpoint> Resolve(const std::string& host, std::uint16_t port, std::string* reason) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int error = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  std::vector<Endpoint> endpoints;
  if (error != 0) {
    *reason = error == EAI_SYSTEM ? ErrorText(errno) : ::gai_strerror(error);
    return endpoints;
  }
  for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(a->ai_addr);
    endpoints.push_back({a->ai_family, {bytes, bytes + a->ai_addrlen}});
  }
  ::freeaddrinfo(found);
  return endpoints;
}

SocketHandle StartConnect(const Endpoint& endpoint, Progress* progress, std::string* reason) {
  const int fd = ::socket(endpoint.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *reason = ErrorText(errno);
    return kNoSocket;
  }
  // Requests are a few bytes each: they go out at once, not when more data follows.
  const int on = 1;
  (void)::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  const auto* address = reinterpret_cast<const sockaddr*>(endpoint.address.data());
  if (::connect(fd, address, static_cast<socklen_t>(endpoint.address.size())) == 0) {
    *progress = Progress::kDone;
  } else if (errno == EINPROGRESS) {
    *progress = Progress::kPending;
  } else {
    *reason = ErrorText(errno);
    ::close(fd);
    return kNoSocket;
  }
  return static_cast<SocketHandle>(fd);
}

Progress ConnectResult(SocketHandle socket, std::string* reason) {
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(Fd(socket), SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
  if (error == 0) return Progress::kDone;
  *reason = ErrorText(error);
  return Progress::kFailed;
}

int WaitReady(SocketHandle socket, bool for_write, std::chrono::microseconds timeout) {
  pollfd pfd{Fd(socket), static_cast<short>(for_write ? POLLOUT : POLLIN), 0};
  const auto us = std::max<long long>(timeout.count(), 0);
  const timespec wait{static_cast<time_t>(us / 1'000'000), static_cast<long>(us % 1'000'000) * 1000};
  const int ready = ::ppoll(&pfd, 1, &wait, nullptr);
  if (ready < 0) return errno == EINTR ? 0 : -1;
  return ready > 0 ? 1 : 0;
}

Transfer SendSome(SocketHandle socket, const std::uint8_t* data, std::size_t n) {
  const ssize_t sent = ::send(Fd(socket), data, n, MSG_NOSIGNAL);
  return Judge(sent, errno);
}

Transfer ReceiveSome(SocketHandle socket, std::uint8_t* data, std::size_t max) {
  const ssize_t got = ::recv(Fd(socket), data, max, 0);
  if (got == 0) return Closed();
  return Judge(got, errno);
}

void CloseSocket(SocketHandle socket) { ::close(Fd(socket)); }

}  // namespace tarvex::net
