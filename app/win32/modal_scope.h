// While a modal window of the tool is up, no other window of it takes clicks (as with
// the Linux window's application-modal boxes): the scope disables each enabled window
// of the tool but `keep`, and enables them again when it ends. Before, the panes get
// their waiting lines (the box may tell of them) and the focused control is noted
// (Windows takes the focus from a window it disables).
#pragma once

#include <windows.h>

#include <vector>

#include "app/win32/win32_view.h"

namespace tarvex {

class ModalScope {
 public:
  ModalScope(Win32View& view, HWND keep) {
    view.FlushPanes();
    view.RememberFocus();
    for (const WindowRow& row : Windows()) {
      const HWND window = view.WindowOf(row.id);
      if (window != keep && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled_.push_back(window);
      }
    }
  }
  ~ModalScope() {
    for (const HWND window : disabled_) EnableWindow(window, TRUE);
  }
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

 private:
  std::vector<HWND> disabled_;
};

}  // namespace tarvex
