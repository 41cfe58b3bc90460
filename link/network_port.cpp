#include "link/network_port.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "link/clock.h"
#include "link/link_hooks.h"
#include "link/tcp_connection.h"
#include "link/telnet_codec.h"

namespace tarvex {
namespace {

using std::chrono::microseconds;

// The bytes as they come: no settings, the baud rate is the server's.
class RawTcpPort final : public SerialPort {
 public:
  explicit RawTcpPort(std::unique_ptr<TcpConnection> connection) : connection_(std::move(connection)) {}

  void Purge() override {
    // What has reached this computer goes; what the server still holds cannot.
    std::uint8_t scratch[512];
    while (connection_->Receive(scratch, sizeof scratch, microseconds(0)) > 0) {
    }
  }
  bool Write(const std::uint8_t* data, std::size_t n) override { return connection_->Send(data, n); }
  std::size_t Read(std::uint8_t* data, std::size_t max, microseconds timeout) override {
    return connection_->Receive(data, max, timeout);
  }
  bool Lost() const override { return connection_->lost(); }
  std::string LossReason() const override { return connection_->loss_reason(); }

 private:
  std::unique_ptr<TcpConnection> connection_;
};

class Rfc2217Port final : public SerialPort {
 public:
  explicit Rfc2217Port(std::unique_ptr<TcpConnection> connection) : connection_(std::move(connection)) {}

  // Sends the opening and waits for the server to confirm the baud rate; the reason
  // when it does not (`*kind` kBaud when it runs at another rate).
  std::optional<std::string> Negotiate(std::int32_t baud, Clock& clock, LinkHooks* hooks,
                                       OpenFailure::Kind* kind) {
    const auto opening = TelnetCodec::Opening(static_cast<std::uint32_t>(baud));
    if (!connection_->Send(opening.data(), opening.size())) return Why("the server took no settings");
    const auto deadline = clock.Now() + kServerSettingsWait;
    std::uint8_t scratch[256];
    while (!codec_.server_baud()) {
      if (codec_.com_port_refused()) return "the server refuses the COM port option (RFC 2217)";
      const auto remaining = std::chrono::duration_cast<microseconds>(deadline - clock.Now());
      if (remaining <= microseconds(0)) return "the server did not confirm the baud rate (RFC 2217)";
      // Data before the settings are in force belongs to no request of ours.
      Take(scratch, sizeof scratch, std::min<microseconds>(remaining, std::chrono::milliseconds(5)));
      if (connection_->lost()) return Why("");
      if (hooks != nullptr) hooks->PumpMessages();
    }
    if (*codec_.server_baud() != static_cast<std::uint32_t>(baud)) {
      *kind = OpenFailure::Kind::kBaud;
      return "the server runs at " + std::to_string(*codec_.server_baud()) + " baud instead";
    }
    return std::nullopt;
  }

  void Purge() override {
    std::uint8_t scratch[512];
    do {
      Take(scratch, sizeof scratch, microseconds(0));
    } while (raw_received_);
    const auto request = TelnetCodec::PurgeRequest();
    connection_->Send(request.data(), request.size());
  }

  bool Write(const std::uint8_t* data, std::size_t n) override {
    escaped_.clear();
    TelnetCodec::Escape(data, n, escaped_);
    return connection_->Send(escaped_.data(), escaped_.size());
  }

  std::size_t Read(std::uint8_t* data, std::size_t max, microseconds timeout) override {
    // Received bytes that were only commands give no data: read on within the time-out.
    const auto until = std::chrono::steady_clock::now() + timeout;
    std::size_t got = 0;
    do {
      const auto left = std::chrono::duration_cast<microseconds>(until - std::chrono::steady_clock::now());
      got = Take(data, max, std::max(left, microseconds(0)));
    } while (got == 0 && raw_received_ && !connection_->lost() && std::chrono::steady_clock::now() < until);
    return got;
  }

  bool Lost() const override { return connection_->lost(); }
  std::string LossReason() const override { return connection_->loss_reason(); }

 private:
  std::string Why(const std::string& fallback) const {
    return connection_->lost() ? connection_->loss_reason() : fallback;
  }

  // Receives up to `max` bytes from the connection, answers the server's negotiation,
  // and copies the data among them to `out`; returns the count copied. The data of
  // one receive never exceeds its raw bytes, so nothing is held back.
  std::size_t Take(std::uint8_t* out, std::size_t max, microseconds timeout) {
    std::uint8_t raw[512];
    const std::size_t n = connection_->Receive(raw, std::min(max, sizeof raw), timeout);
    raw_received_ = n > 0;
    data_.clear();
    answers_.clear();
    codec_.Receive(raw, n, data_, answers_);
    if (!answers_.empty()) connection_->Send(answers_.data(), answers_.size());
    std::copy(data_.begin(), data_.end(), out);
    const std::size_t count = data_.size();
    data_.clear();
    return count;
  }

  std::unique_ptr<TcpConnection> connection_;
  TelnetCodec codec_;
  std::vector<std::uint8_t> data_;
  std::vector<std::uint8_t> answers_;
  std::vector<std::uint8_t> escaped_;
  bool raw_received_ = false;
};

std::unique_ptr<SerialPort> Refuse(OpenFailure* failure, OpenFailure::Kind kind, const std::string& text,
                                   std::string reason) {
  if (failure != nullptr) *failure = {kind, text, std::move(reason)};
  return nullptr;
}

}  // namespace

std::unique_ptr<SerialPort> OpenNetworkPort(const std::string& text, std::int32_t baud, OpenFailure* failure,
                                            const OpenWaiting& waiting) {
  using Kind = OpenFailure::Kind;
  std::string reason;
  const auto address = ParseNetworkAddress(text, &reason);
  if (!address) return Refuse(failure, Kind::kDevice, text, reason);
  const bool rfc2217 = address->scheme == NetworkAddress::Scheme::kRfc2217;
  if (rfc2217 && baud <= 0) {
    return Refuse(failure, Kind::kBaud, text, "baud rate " + std::to_string(baud) + " is not supported");
  }
  Clock& clock = waiting.clock != nullptr ? *waiting.clock : RealClock();
  auto connection = TcpConnection::Connect(address->host, address->port, clock, waiting.hooks, &reason);
  if (!connection) return Refuse(failure, Kind::kDevice, text, reason);
  if (!rfc2217) return std::make_unique<RawTcpPort>(std::move(connection));
  auto port = std::make_unique<Rfc2217Port>(std::move(connection));
  Kind kind = Kind::kDevice;
  if (auto refused = port->Negotiate(baud, clock, waiting.hooks, &kind)) {
    return Refuse(failure, kind, text, *refused);
  }
  return port;
}

}  // namespace tarvex
