#include "app/window_link_hooks.h"

#include <QCoreApplication>
#include <QLabel>

#include "app/widgets/text_pane.h"

namespace tarvex {

void WindowLinkHooks::SetProgressLabel(QLabel* label) {
  progress_label_ = label;
  if (label != nullptr) label->setTextFormat(Qt::PlainText);
}

void WindowLinkHooks::PumpMessages() { QCoreApplication::processEvents(); }

void WindowLinkHooks::AppendMark(const char* mark) {
  if (progress_label_ != nullptr) progress_label_->setText(progress_label_->text() + mark);
}

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

void WindowLinkHooks::Trace(const std::string& line) {
  if (trace_pane_ != nullptr) trace_pane_->AddLine(std::string_view(line));
}

}  // namespace tarvex
