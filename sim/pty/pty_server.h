// The simulated controller on a pseudo-terminal (POSIX): the tool opens the symbolic
// link like a serial device and talks to the model through it. Or on a TCP port, where
// the tool connects as to a serial server.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "sim/model/controller_model.h"
#include "sim/pty/served_line.h"

namespace tarvex::sim {

struct PtyOptions {
  std::string link_path;   // made a symbolic link to the terminal's device
  std::int32_t baud = 0;   // > 0: replies paced at 10 bits per byte; 0: at once
  // Requests that come while the tool's side of the terminal is set to another rate
  // than `baud` are line noise to the controller: it drops them, as a real one
  // receives garbage at a wrong rate and answers nothing.
  bool strict_baud = false;
  // A request left unfinished this long is taken as abandoned and forgotten.
  std::chrono::milliseconds partial_request_timeout{1000};
  // Called on the serving thread when the line cannot be brought back after a hang-up;
  // serving has ended then.
  std::function<void(const std::string&)> on_failure{};
  std::string listen{};  // "HOST:PORT": a TCP port instead of the terminal
  // > 0: replies held as a USB serial adapter holds them (see usb_packets.h).
  std::chrono::milliseconds usb_latency{0};
};

// Serves the model on its own thread. Both ends of the terminal are raw (bytes pass
// unchanged, 0x11 and 0x13 included), and the server keeps a descriptor of the device
// side open, so the tool may close and re-open the port at will.
class PtyServer {
 public:
  PtyServer(ControllerModel& model, PtyOptions options);
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Creates the terminal and the link (replacing an older link, creating its folder)
  // and starts serving. Throws std::runtime_error with the reason.
  void Start();
  // Ends serving and removes the link. Safe to call more than once.
  void Stop();

  // What the tool opens: the link's path, or "tcp://HOST:PORT" once started.
  const std::string& link_path() const { return line_->address(); }
  // Runs `fn` on the model while the serving thread keeps its hands off it.
  void WithModel(const std::function<void(ControllerModel&)>& fn);

 private:
  using TimePoint = std::chrono::steady_clock::time_point;

  void Serve();
  // False when strict_baud and the terminal is set to another rate.
  bool AtOwnBaud() const;
  // False when the server is stopping or the line is gone.
  bool Send(const Reply& reply, TimePoint earliest);
  bool HangUp(std::chrono::milliseconds down_for);

  ControllerModel& model_;
  PtyOptions options_;
  std::mutex model_mutex_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::unique_ptr<ServedLine> line_;
  int wake_read_fd_ = -1;
  int wake_write_fd_ = -1;
};

}  // namespace tarvex::sim
