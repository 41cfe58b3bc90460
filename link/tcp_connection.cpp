#include "link/tcp_connection.h"

#include <algorithm>

#include "link/clock.h"
#include "link/link_hooks.h"

namespace tarvex {
namespace {

// The longest single wait between two pumps while connecting.
constexpr auto kConnectSlice = std::chrono::milliseconds(5);

// Waits for the pending connection of `socket` until `deadline`: kDone, or kFailed
// with the reason.
net::Progress AwaitConnection(net::SocketHandle socket, Clock& clock, LinkHooks* hooks,
                              Clock::TimePoint deadline, std::string* reason) {
  while (true) {
    const auto remaining = deadline - clock.Now();
    if (remaining <= Clock::Duration::zero()) {
      *reason = "connection timed out";
      return net::Progress::kFailed;
    }
    const auto slice = std::min<Clock::Duration>(remaining, kConnectSlice);
    const int ready = net::WaitReady(socket, true, std::chrono::duration_cast<std::chrono::microseconds>(slice));
    if (hooks != nullptr) hooks->PumpMessages();
    if (ready != 0) return net::ConnectResult(socket, reason);
  }
}

}  // namespace

std::unique_ptr<TcpConnection> TcpConnection::Connect(const std::string& host, std::uint16_t port,
                                                      Clock& clock, LinkHooks* hooks, std::string* reason) {
  const auto deadline = clock.Now() + kConnectWait;
  for (const net::Endpoint& endpoint : net::Resolve(host, port, reason)) {
    net::Progress progress = net::Progress::kFailed;
    const net::SocketHandle socket = net::StartConnect(endpoint, &progress, reason);
    if (socket == net::kNoSocket) continue;
    // Owned at once: a pump that throws (Ctrl+C) closes it.
    auto connection = std::make_unique<TcpConnection>(socket);
    if (progress == net::Progress::kPending) progress = AwaitConnection(socket, clock, hooks, deadline, reason);
    if (progress == net::Progress::kDone) return connection;
  }
  return nullptr;
}

bool TcpConnection::Send(const std::uint8_t* data, std::size_t n) {
  while (n > 0 && !lost_) {
    const net::Transfer sent = net::SendSome(socket_, data, n);
    if (sent.failed) {
      Lose(sent.reason);
    } else if (sent.would_block) {
      if (net::WaitReady(socket_, true, kSendStall) <= 0) return false;
    } else {
      data += sent.bytes;
      n -= sent.bytes;
    }
  }
  return n == 0;
}

std::size_t TcpConnection::Receive(std::uint8_t* data, std::size_t max, std::chrono::microseconds timeout) {
  if (max == 0 || lost_) return 0;
  if (net::WaitReady(socket_, false, timeout) <= 0) return 0;
  const net::Transfer got = net::ReceiveSome(socket_, data, max);
  if (got.failed) Lose(got.reason);
  return got.bytes;
}

void TcpConnection::Lose(std::string reason) {
  lost_ = true;
  loss_reason_ = std::move(reason);
}

}  // namespace tarvex
