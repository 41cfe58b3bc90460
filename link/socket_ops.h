// The few socket calls the network ports need, over POSIX sockets
// (socket_ops_posix.cpp) or Winsock (socket_ops_win32.cpp). Sockets are non-blocking.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::net {

// A socket: an int on POSIX, a SOCKET (an unsigned pointer-sized value) on Windows.
using SocketHandle = std::uintptr_t;
inline constexpr SocketHandle kNoSocket = ~SocketHandle{0};

// One address of a host, as the system resolved it.
struct Endpoint {
  int family = 0;
  std::vector<std::uint8_t> address;  // the system's sockaddr
};

// The addresses of `host` for TCP `port`; empty with the reason in `*reason` when it has
// none.
std::vector<Endpoint> Resolve(const std::string& host, std::uint16_t port, std::string* reason);

enum class Progress { kDone, kPending, kFailed };

// A new non-blocking socket connecting to `endpoint` (kPending while the connection is
// being made), or kNoSocket with the reason.
SocketHandle StartConnect(const Endpoint& endpoint, Progress* progress, std::string* reason);
// How the connection of a socket started with kPending ended, once WaitReady saw it
// writable: kDone, or kFailed with the reason.
Progress ConnectResult(SocketHandle socket, std::string* reason);

// Waits at most `timeout` until the socket can be read (or written, `for_write`).
// 1 when it can, 0 after the time-out, -1 on a failure.
int WaitReady(SocketHandle socket, bool for_write, std::chrono::microseconds timeout);

// What one send or receive did: bytes moved, or none because the call would block, or a
// failure with the system's reason (`closed` when the far end ended the connection).
struct Transfer {
  std::size_t bytes = 0;
  bool would_block = false;
  bool failed = false;
  std::string reason;
};
// A receive that found the connection ended by the far end.
inline Transfer Closed() {
  Transfer t;
  t.failed = true;
  t.reason = "connection closed by the far end";
  return t;
}

Transfer SendSome(SocketHandle socket, const std::uint8_t* data, std::size_t n);
Transfer ReceiveSome(SocketHandle socket, std::uint8_t* data, std::size_t max);

void CloseSocket(SocketHandle socket);

}  // namespace tarvex::net
