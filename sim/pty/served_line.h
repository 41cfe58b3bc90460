// The controller's end of the line the simulator serves on: a pseudo-terminal, or a
// TCP port where the tool connects as to a serial server (POSIX).
#pragma once

#include <string>

namespace tarvex::sim {

class ServedLine {
 public:
  virtual ~ServedLine() = default;
  // Makes the line ready for the tool. Throws std::runtime_error with the reason.
  virtual void Open() = 0;
  // Drops the line: the tool sees a hang-up. Open brings it back.
  virtual void Close() = 0;
  // Where requests are read and replies written, non-blocking; -1 while there is none.
  virtual int fd() const = 0;
  // With fd() -1: waits for the tool to come; false when it cannot, or when `wake_fd`
  // becomes readable first.
  virtual bool AwaitPeer(int wake_fd) = 0;
  // What the tool opens: the path of the terminal's link, or "tcp://HOST:PORT".
  virtual const std::string& address() const = 0;
};

}  // namespace tarvex::sim
