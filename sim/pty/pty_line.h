// The controller's end of a pseudo-terminal, with a symbolic link to the device side that
// the tool opens like a serial port (POSIX).
#pragma once

#include <string>

namespace tarvex::sim {

class PtyLine {
 public:
  explicit PtyLine(std::string link_path) : link_path_(std::move(link_path)) {}
  ~PtyLine() { Close(); }
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  // Creates the terminal, makes the device side raw (0x11 and 0x13 pass) and points the
  // link at it (replacing an older link, creating its folder). With `keep_device_open`
  // a descriptor of the device side stays open, so the line survives the tool closing
  // its port; without it the controller's end reports POLLHUP while no one has the
  // device open. Throws std::runtime_error with the reason.
  void Open(bool keep_device_open);
  // Removes the link (when it still points at this terminal) and closes both ends.
  void Close();

  // The controller's end, non-blocking; -1 when closed.
  int fd() const { return master_fd_; }
  const std::string& link_path() const { return link_path_; }

 private:
  std::string link_path_;
  int master_fd_ = -1;
  int slave_fd_ = -1;
  std::string slave_name_;
};

}  // namespace tarvex::sim
