// Winsock: non-blocking sockets; select() waits (a failed connection shows in its
// exception set, not as writable).
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>

#include "link/socket_ops.h"

namespace tarvex::net {
namespace {

// Winsock works only after WSAStartup; once for the process, never undone.
bool Started(std::string* reason) {
  static const int error = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data);
  }();
  if (error != 0) *reason = "networking unavailable (error " + std::to_string(error) + ")";
  return error == 0;
}

std::string ErrorText(int error) {
  switch (error) {
    case WSAECONNREFUSED: return "connection refused";
    case WSAECONNRESET: return "connection reset by peer";
    case WSAECONNABORTED: return "software caused connection abort";
    case WSAETIMEDOUT: return "connection timed out";
    case WSAEHOSTUNREACH: return "no route to host";
    case WSAENETUNREACH: return "network is unreachable";
    case WSAENETDOWN: return "network is down";
    case WSAEADDRNOTAVAIL: return "cannot assign requested address";
    case WSAHOST_NOT_FOUND: return "name or service not known";
    case WSATRY_AGAIN: return "temporary failure in name resolution";
    default: return "system error " + std::to_string(error);
  }
}

SOCKET Raw(SocketHandle socket) { return static_cast<SOCKET>(socket); }

// What a send or receive that returned `result` did; `error` is the last error after it.
Transfer Judge(int result, int error) {
  Transfer t;
  if (result != SOCKET_ERROR) {
    t.bytes = static_cast<std::size_t>(result);
  } else if (error == WSAEWOULDBLOCK) {
    t.would_block = true;
  } else {
    t.failed = true;
    t.reason = ErrorText(error);
  }
  return t;
}

}  // namespace

std::vector<Endpoint> Resolve(const std::string& host, std::uint16_t port, std::string* reason) {
  std::vector<Endpoint> endpoints;
  if (!Started(reason)) return endpoints;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int error = getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (error != 0) {
    *reason = ErrorText(error);
    return endpoints;
  }
  for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(a->ai_addr);
    endpoints.push_back({a->ai_family, {bytes, bytes + a->ai_addrlen}});
  }
  freeaddrinfo(found);
  return endpoints;
}

SocketHandle StartConnect(const Endpoint& endpoint, Progress* progress, std::string* reason) {
  if (!Started(reason)) return kNoSocket;
  const SOCKET s = socket(endpoint.family, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) {
    *reason = ErrorText(WSAGetLastError());
    return kNoSocket;
  }
  u_long non_blocking = 1;
  const BOOL on = TRUE;
  // Requests are a few bytes each: they go out at once, not when more data follows.
  (void)setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  const auto* address = reinterpret_cast<const sockaddr*>(endpoint.address.data());
  if (ioctlsocket(s, FIONBIO, &non_blocking) != 0) {
    *reason = ErrorText(WSAGetLastError());
  } else if (connect(s, address, static_cast<int>(endpoint.address.size())) == 0) {
    *progress = Progress::kDone;
    return static_cast<SocketHandle>(s);
  } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
    *progress = Progress::kPending;
    return static_cast<SocketHandle>(s);
  } else {
    *reason = ErrorText(WSAGetLastError());
  }
  closesocket(s);
  return kNoSocket;
}

Progress ConnectResult(SocketHandle socket, std::string* reason) {
  int error = 0;
  int length = sizeof error;
  if (getsockopt(Raw(socket), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0) {
    error = WSAGetLastError();
  }
  if (error == 0) return Progress::kDone;
  *reason = ErrorText(error);
  return Progress::kFailed;
}

int WaitReady(SocketHandle socket, bool for_write, std::chrono::microseconds timeout) {
  fd_set ready;
  fd_set failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(Raw(socket), &ready);
  FD_SET(Raw(socket), &failed);
  const long long us = std::max<long long>(timeout.count(), 0);
  timeval wait{static_cast<long>(us / 1'000'000), static_cast<long>(us % 1'000'000)};
  const int count = select(0, for_write ? nullptr : &ready, for_write ? &ready : nullptr, &failed, &wait);
  if (count == SOCKET_ERROR) return -1;
  return count > 0 ? 1 : 0;
}

Transfer SendSome(SocketHandle socket, const std::uint8_t* data, std::size_t n) {
  const int chunk = static_cast<int>(std::min<std::size_t>(n, 1 << 30));
  const int sent = send(Raw(socket), reinterpret_cast<const char*>(data), chunk, 0);
  return Judge(sent, WSAGetLastError());
}

Transfer ReceiveSome(SocketHandle socket, std::uint8_t* data, std::size_t max) {
  const int chunk = static_cast<int>(std::min<std::size_t>(max, 1 << 30));
  const int got = recv(Raw(socket), reinterpret_cast<char*>(data), chunk, 0);
  if (got == 0) return Closed();
  return Judge(got, WSAGetLastError());
}

void CloseSocket(SocketHandle socket) { closesocket(Raw(socket)); }

}  // namespace tarvex::net
