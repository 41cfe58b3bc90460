// What the window logic asks of a renderer: the state of the controls the description
// lists, and the few things a window does besides. Texts are code page 1251.
#pragma once

#include <string>
#include <string_view>

#include "app/form_description.h"

namespace tarvex {

class View {
 public:
  virtual ~View() = default;

  // A control's caption or text; a pane's whole text, lines separated by CR LF (only
  // CR LF breaks a line: a lone CR or LF is a character of its line).
  virtual std::string Text(Control control) = 0;
  virtual void SetText(Control control, std::string_view text) = 0;
  // Adds text at the end of a control's text; costs only the added text (the progress
  // label grows by a mark per request and reply, thousands in a retrieval).
  virtual void AppendText(Control control, std::string_view text) = 0;
  virtual bool Checked(Control control) = 0;
  // Ticking from the program runs no handler.
  virtual void SetChecked(Control control, bool checked) = 0;
  virtual bool Shown(Control control) = 0;
  virtual void SetShown(Control control, bool shown) = 0;
  virtual bool Enabled(Control control) = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;
  // Adds a line at a pane's end: when its text is empty or ends in CR LF, the text
  // and then CR LF; otherwise CR LF and then the text. Costs only the added text.
  virtual void AddLine(Control pane, std::string_view text) = 0;

  virtual void SetCaption(Window window, std::string_view text) = 0;
  // Shows the window (Diag) and brings it to the front.
  virtual void ShowWindow(Window window) = 0;
  // Runs what waits in the window system's queue (clicks included), then returns.
  virtual void PumpMessages() = 0;
};

// What the user does, as a renderer reports it.
class ViewEvents {
 public:
  virtual ~ViewEvents() = default;
  virtual void Clicked(Control control) = 0;
  virtual void MouseUp(Window window, MouseButton button) = 0;
  virtual void CloseRequested(Window window) = 0;
  // True while a command runs (renderers pace their repaints then).
  virtual bool Busy() const = 0;
};

}  // namespace tarvex
