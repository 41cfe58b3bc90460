// The simulator on a TCP port, one connection at a time, as a serial server offers its
// line in raw mode (POSIX).
#pragma once

#include <string>

#include "sim/pty/served_line.h"

namespace tarvex::sim {

class TcpLine final : public ServedLine {
 public:
  // `listen` is "HOST:PORT" with an IPv4 HOST; port 0 takes a free one.
  explicit TcpLine(std::string listen) : listen_(std::move(listen)) {}
  ~TcpLine() override;
  TcpLine(const TcpLine&) = delete;
  TcpLine& operator=(const TcpLine&) = delete;

  // Listens (once; later calls keep the port).
  void Open() override;
  // Drops the connection; the port keeps listening.
  void Close() override;
  int fd() const override { return connection_fd_; }
  bool AwaitPeer(int wake_fd) override;
  // "tcp://HOST:PORT" with the port listened on.
  const std::string& address() const override { return address_; }

 private:
  std::string listen_;
  std::string address_;
  int listen_fd_ = -1;
  int connection_fd_ = -1;
};

}  // namespace tarvex::sim
