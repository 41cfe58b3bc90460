// The link's reports shown in the windows: progress marks in the main window's
// `Label`, trace lines in the diagnostic pane, message pumping while it waits.
#pragma once

#include "link/link_hooks.h"

class QLabel;

namespace tarvex {

class TextPane;

class WindowLinkHooks final : public LinkHooks {
 public:
  // Both are created after the link; marks and lines before that go nowhere. The marks
  // are plain text: the label grows by a mark per request and reply, and is not scanned
  // for markup each time.
  void SetProgressLabel(QLabel* label);
  void SetTracePane(TextPane* pane) { trace_pane_ = pane; }
  // Set once the main window is closing: a wait without time-out gives up.
  void SetClosing() { closing_ = true; }
  bool Closing() const { return closing_; }

  // A wait for the controller's polls during which other commands may run. A request
  // written meanwhile (a command's exchange) purged the line and reuses TransferFrame:
  // the wait gives up, and EndPollWait() says that whatever it read is void.
  void BeginPollWait();
  bool EndPollWait();

  void PumpMessages() override;
  void RequestWritten() override;
  void ReplyReceived() override;
  void Trace(const std::string& line) override;
  bool AbandonWait() override { return closing_ || poll_wait_interrupted_; }

 private:
  void AppendMark(const char* mark);

  QLabel* progress_label_ = nullptr;
  TextPane* trace_pane_ = nullptr;
  bool closing_ = false;
  bool in_poll_wait_ = false;
  bool poll_wait_interrupted_ = false;
};

}  // namespace tarvex
