// The diagnostic window "Diag": a trace pane and "Clear" below its view, and a
// second "REBOOT" inside it.
#pragma once

#include <functional>

#include "app/handle.h"

namespace tarvex {

class TForm2 {
 public:
  explicit TForm2(View& view)
      : Memo(view, Control::Form2_Memo), Button1(view, Control::Form2_Button1), Button2(view, Control::Form2_Button2) {}

  Handle Memo;
  Handle Button1;
  Handle Button2;

  void Button1Click() { Memo.Clear(); }
  void Button2Click() {
    if (RebootAction) RebootAction();
  }

  // What "REBOOT" runs: the main window's reboot operation, bound by whoever provides
  // it. Nothing happens while it is unbound.
  std::function<void()> RebootAction;
};

}  // namespace tarvex
