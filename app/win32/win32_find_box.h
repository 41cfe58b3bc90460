// The find box of the log and configuration panes: the system's Find dialog
// (FindTextW), opened by Ctrl+F in a pane for that pane; F3 in a pane finds the next
// match (app/pane_find.h) with what the box last held. A match is selected and
// scrolled into view; "not found" shows in a line added below the dialog's own
// controls, and the selection stays. The dialog is modeless, so a LOG that runs keeps
// filling the pane; the view's message loops pass its keys through IsDialogMessage.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <initializer_list>
#include <vector>

namespace tarvex {

class Win32FindBox {
 public:
  // `owner`: the window the dialog belongs to and reports to.
  Win32FindBox(HWND owner, std::initializer_list<HWND> panes);
  ~Win32FindBox();
  Win32FindBox(const Win32FindBox&) = delete;
  Win32FindBox& operator=(const Win32FindBox&) = delete;

  // The dialog and its "not found" line while it is open, else nullptr.
  HWND box() const { return box_; }
  HWND status() const { return status_; }

 private:
  static LRESULT CALLBACK PaneProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self);
  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR self);
  void Open(HWND pane);
  void AddStatusLine();
  void FindNext();

  HWND owner_;
  std::vector<HWND> panes_;
  HWND pane_ = nullptr;
  HWND box_ = nullptr;
  HWND status_ = nullptr;
  const UINT find_message_;
  std::array<wchar_t, 256> what_{};
  FINDREPLACEW request_{};
};

}  // namespace tarvex
