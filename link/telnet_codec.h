// The Telnet side of a connection to an RFC 2217 serial server: the option
// negotiation (binary both ways, the COM port option), the port settings sent through
// the server, 0xFF doubled in outgoing data and undoubled in incoming data, and the
// server's commands taken out of what it sends.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarvex {

class TelnetCodec {
 public:
  // The opening the client sends: its options, then the baud rate, 8 data bits, no
  // parity, 1 stop bit and no flow control.
  static std::vector<std::uint8_t> Opening(std::uint32_t baud);
  // Asks the server to drop what its buffers hold in both directions.
  static std::vector<std::uint8_t> PurgeRequest();
  // Appends the n data bytes to `out`, each 0xFF doubled.
  static void Escape(const std::uint8_t* data, std::size_t n, std::vector<std::uint8_t>& out);

  // Takes n received bytes: the data among them is appended to `data`, the answers owed
  // to the server's negotiation to `answers`. Sequences may be split across calls.
  void Receive(const std::uint8_t* bytes, std::size_t n, std::vector<std::uint8_t>& data,
               std::vector<std::uint8_t>& answers);

  // The baud rate the server reported after setting it, once it has.
  std::optional<std::uint32_t> server_baud() const { return server_baud_; }
  // True once the server has refused the COM port option: it cannot set the baud rate.
  bool com_port_refused() const { return com_port_refused_; }

 private:
  enum class State { kData, kCommand, kOption, kSub, kSubCommand };
  enum class Side : std::uint8_t { kOff, kRequested, kOn };

  void Negotiate(std::uint8_t verb, std::uint8_t option, std::vector<std::uint8_t>& answers);
  void EndSubnegotiation();

  State state_ = State::kData;
  std::uint8_t verb_ = 0;
  std::vector<std::uint8_t> sub_;
  // Per option: ours (WILL/WONT) and the server's (DO/DONT), starting as Opening() asks.
  std::array<Side, 256> ours_ = Requested(true);
  std::array<Side, 256> theirs_ = Requested(false);
  std::optional<std::uint32_t> server_baud_;
  bool com_port_refused_ = false;

  static std::array<Side, 256> Requested(bool ours);
};

}  // namespace tarvex
