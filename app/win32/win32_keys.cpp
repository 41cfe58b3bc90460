#include "app/win32/win32_keys.h"

#include "app/win32/win32_view.h"

namespace tarvex {

bool Win32Keys::Handle(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  const std::optional<Control> control = view_.ControlHolding(message.hwnd);
  const std::optional<Window> window = control ? RowOf(*control).window : view_.WindowHolding(message.hwnd);
  if (!window) return false;
  const Kind kind = control ? RowOf(*control).kind : Kind::kBevel;
  switch (message.wParam) {
    case VK_TAB:
      if (control) {
        MoveFocus(*control, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
      } else {
        RestoreFocus(*window);
      }
      return true;
    case VK_RETURN:
      if (kind == Kind::kButton) {
        Press(*control);
        return true;
      }
      if (kind == Kind::kPane) return false;
      for (const ControlRow& row : Controls()) {
        if (row.window == *window && (row.look & kDefaultButton) && CanFocus(row.id)) {
          Press(row.id);
          return true;
        }
      }
      return false;
    case VK_ESCAPE:
      if (*window == Window::kOKBottomDlg) {
        Press(Control::OKBottomDlg_CancelBtn);
        return true;
      }
      // Only an open list of a combo box has a use for it: it closes.
      return kind != Kind::kComboBox || SendMessageW(view_.WidgetOf(*control), CB_GETDROPPEDSTATE, 0, 0) == 0;
    default:
      return false;
  }
}

void Win32Keys::RememberFocus() {
  if (const auto control = view_.ControlHolding(GetFocus())) focus_[static_cast<int>(RowOf(*control).window)] = control;
}

bool Win32Keys::RestoreFocus(Window window) {
  const std::optional<Control> remembered = focus_[static_cast<int>(window)];
  const auto next = Focusable(window, remembered ? static_cast<int>(*remembered) : 0, 1);
  if (next) Focus(*next);
  return next.has_value();
}

void Win32Keys::Focus(Control control) {
  SetFocus(view_.WidgetOf(control));
  focus_[static_cast<int>(RowOf(control).window)] = control;
}

void Win32Keys::MoveFocus(Control from, bool back) {
  const int step = back ? -1 : 1;
  if (const auto next = Focusable(RowOf(from).window, static_cast<int>(from) + step, step)) Focus(*next);
}

std::optional<Control> Win32Keys::Focusable(Window window, int start, int step) {
  // The Tab order is the table's order within a window.
  for (int k = 0; k < kControlCount; ++k) {
    const auto control = static_cast<Control>(((start + k * step) % kControlCount + kControlCount) % kControlCount);
    if (RowOf(control).window == window && CanFocus(control)) return control;
  }
  return std::nullopt;
}

bool Win32Keys::CanFocus(Control control) {
  // Labels and bevels take no focus, nor do hidden or disabled controls.
  const Kind kind = RowOf(control).kind;
  return kind != Kind::kLabel && kind != Kind::kBevel && view_.Shown(control) && view_.Enabled(control);
}

void Win32Keys::Press(Control button) {
  const HWND hwnd = view_.WidgetOf(button);
  SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace tarvex
