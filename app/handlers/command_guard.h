// Refuses a second command while one runs: the link pumps window messages while it
// waits, so a click can arrive nested inside a running command. Every handler that
// starts exchanges is written
//   void TForm1::XClick() {
//     RunCommand(CommandRunning, [&] { ... });
//   }
// "Stop", the panes, "Clear" and closing the window take no guard and keep working.
#pragma once

#include <utility>

namespace tarvex {

class CommandGuard {
 public:
  explicit CommandGuard(bool& running) : running_(running), acquired_(!running) {
    if (acquired_) running_ = true;
  }
  ~CommandGuard() {
    if (acquired_) running_ = false;
  }
  CommandGuard(const CommandGuard&) = delete;
  CommandGuard& operator=(const CommandGuard&) = delete;

  // False when another command was already running: do nothing.
  explicit operator bool() const { return acquired_; }

 private:
  bool& running_;
  bool acquired_;
};

// Runs `command` unless another command is running (then nothing happens); `running`
// is set while it runs, whatever ends it.
template <typename Command>
void RunCommand(bool& running, Command&& command) {
  const CommandGuard guard(running);
  if (guard) std::forward<Command>(command)();
}

}  // namespace tarvex
