// While a modal window of the tool is up, no other window of it takes clicks (as with
// the Linux window's application-modal boxes): the scope disables each enabled window
// of the tool but `keep`, and enables them again when it ends.
#pragma once

#include <windows.h>

#include <vector>

#include "app/form_description.h"

namespace tarvex {

class ModalScope {
 public:
  template <typename WindowOf>
  ModalScope(WindowOf window_of, HWND keep) {
    for (const WindowRow& row : Windows()) {
      const HWND window = window_of(row.id);
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
