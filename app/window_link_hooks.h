// The link's reports shown in the windows: progress marks in the main window's
// `Label`, trace lines in Diag's pane, message pumping while it waits.
#pragma once

#include "app/view.h"
#include "link/link_hooks.h"

namespace tarvex {

class WindowLinkHooks final : public LinkHooks {
 public:
  explicit WindowLinkHooks(View& view) : view_(view) {}

  // Set once the main window is closing: a wait without time-out gives up.
  void SetClosing() { closing_ = true; }
  bool Closing() const { return closing_; }

  // A wait for the controller's polls during which other commands may run. A request
  // written meanwhile (a command's exchange) purged the line and reuses TransferFrame:
  // the wait gives up, and EndPollWait() says that whatever it read is void.
  void BeginPollWait();
  bool EndPollWait();

  void PumpMessages() override { view_.PumpMessages(); }
  void RequestWritten() override;
  void ReplyReceived() override;
  void Trace(const std::string& line) override;
  bool AbandonWait() override { return closing_ || poll_wait_interrupted_; }

 private:
  // The label grows by a mark per request and reply.
  void AppendMark(const char* mark);

  View& view_;
  bool closing_ = false;
  bool in_poll_wait_ = false;
  bool poll_wait_interrupted_ = false;
};

}  // namespace tarvex
