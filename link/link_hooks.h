// How the link reports to whoever drives it, without knowing any window.
#pragma once

#include <string>

namespace tarvex {

class LinkHooks {
 public:
  virtual ~LinkHooks() = default;
  // Lets the window handle its pending messages; called between reads and after writes.
  virtual void PumpMessages() {}
  // A request went out (" . " in the progress label).
  virtual void RequestWritten() {}
  // A reply of at least one byte came in (" + " in the progress label).
  virtual void ReplyReceived() {}
  // One line for the diagnostic trace pane, bytes in code page 1251.
  virtual void Trace(const std::string& line) { (void)line; }
  // True when a wait without time-out (ReadAnyBytes) must give up, e.g. the window
  // is closing.
  virtual bool AbandonWait() { return false; }
};

}  // namespace tarvex
