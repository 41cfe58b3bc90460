// One TCP connection to a serial server, made within a bounded wait that keeps the
// window live; reads wait with the system's poll, never longer than asked.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "link/socket_ops.h"

namespace tarvex {

class Clock;
class LinkHooks;

class TcpConnection {
 public:
  // How long a connection may take to be made.
  static constexpr auto kConnectWait = std::chrono::seconds(5);

  // Connects to host:port, trying each of its addresses within the wait of `clock`
  // (pumping `hooks`, when given, between slices of a few milliseconds). nullptr with the
  // system's reason in `*reason` when none answers.
  static std::unique_ptr<TcpConnection> Connect(const std::string& host, std::uint16_t port, Clock& clock,
                                                LinkHooks* hooks, std::string* reason);

  explicit TcpConnection(net::SocketHandle socket) : socket_(socket) {}
  ~TcpConnection() { net::CloseSocket(socket_); }
  TcpConnection(const TcpConnection&) = delete;
  TcpConnection& operator=(const TcpConnection&) = delete;

  // Sends all n bytes; false when the connection is lost or stalls for a second.
  bool Send(const std::uint8_t* data, std::size_t n);
  // Reads what has arrived, up to max bytes, waiting at most `timeout` for the first.
  // 0 on time-out, and once the connection is lost.
  std::size_t Receive(std::uint8_t* data, std::size_t max, std::chrono::microseconds timeout);

  bool lost() const { return lost_; }
  const std::string& loss_reason() const { return loss_reason_; }

 private:
  static constexpr auto kSendStall = std::chrono::seconds(1);

  void Lose(std::string reason);

  net::SocketHandle socket_;
  bool lost_ = false;
  std::string loss_reason_;
};

}  // namespace tarvex
