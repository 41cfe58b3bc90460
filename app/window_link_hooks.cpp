#include "app/window_link_hooks.h"

namespace tarvex {

void WindowLinkHooks::AppendMark(const char* mark) { view_.AppendText(Control::Label, mark); }

void WindowLinkHooks::BeginPollWait() {
  in_poll_wait_ = true;
  poll_wait_interrupted_ = false;
}

bool WindowLinkHooks::EndPollWait() {
  in_poll_wait_ = false;
  const bool interrupted = poll_wait_interrupted_;
  poll_wait_interrupted_ = false;
  return interrupted;
}

void WindowLinkHooks::RequestWritten() {
  if (in_poll_wait_) poll_wait_interrupted_ = true;
  AppendMark(" . ");
}

void WindowLinkHooks::ReplyReceived() { AppendMark(" + "); }

void WindowLinkHooks::Trace(const std::string& line) { view_.AddLine(Control::Form2_Memo, line); }

}  // namespace tarvex
