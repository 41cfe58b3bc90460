// The keys of the tool's windows as the description gives them, in place of a dialog
// manager's habits (which end the tool on Escape in a pane and answer "ДА" to Enter
// on any button): Tab and Shift+Tab move in the table's order; Enter and Space press
// the focused button; Enter elsewhere presses the window's default button, except in
// a pane, which takes it; Escape answers the confirmation "НЕТ" and does nothing else.
// Each window keeps the control that had the focus and gets it back when activated.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "app/form_description.h"

namespace tarvex {

class Win32View;

class Win32Keys {
 public:
  explicit Win32Keys(Win32View& view) : view_(view) {}

  // True when `message` is a key these rules answered; it is then not passed on.
  bool Handle(const MSG& message);
  // Notes which control has the focus, before its window is left or disabled.
  void RememberFocus();
  // Gives the focus to the window's remembered control; when that cannot take it now,
  // or none is remembered, to the next one of the Tab order that can. False when no
  // control of the window can.
  bool RestoreFocus(Window window);
  // Gives the focus to `control` and remembers it.
  void Focus(Control control);
  // Moves the focus from `from` to the next control of the Tab order (`back`: the
  // previous one) that can take it.
  void MoveFocus(Control from, bool back);

 private:
  // The first control of `window` from `start` on (the table's index, wrapping
  // around) by `step` that can take the focus.
  std::optional<Control> Focusable(Window window, int start, int step);
  bool CanFocus(Control control);
  void Press(Control button);

  Win32View& view_;
  std::array<std::optional<Control>, kWindowCount> focus_{};
};

}  // namespace tarvex
