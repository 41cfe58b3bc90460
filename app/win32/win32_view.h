// The Win32 renderer: builds the four windows exactly as the description lists them
// (user32 controls, W functions, texts through the code page 1251 table) and reports
// clicks, closing and mouse releases to the window logic. Labels lie on top of the
// controls and let clicks through to them.
#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "app/view.h"
#include "app/win32/win32_keys.h"

namespace tarvex {

class Win32View final : public View {
 public:
  explicit Win32View(HINSTANCE instance = GetModuleHandleW(nullptr));
  ~Win32View() override;
  Win32View(const Win32View&) = delete;
  Win32View& operator=(const Win32View&) = delete;

  // Where clicks, closing and mouse releases go; nothing is reported before.
  void Connect(ViewEvents& events) { events_ = &events; }

  HWND WindowOf(Window window) const { return windows_[static_cast<int>(window)]; }
  HWND WidgetOf(Control control) const { return controls_[static_cast<int>(control)]; }

  // The confirmation, modal over every window of the tool; Dialogs::kYes or kNo.
  int RunConfirmation();
  // Runs the message loop until WM_QUIT; its exit code.
  int Run();
  // One message as every loop of the tool handles it: the keys by their rules first.
  void Dispatch(MSG& message);
  // Puts the lines added since the last time into the panes.
  void FlushPanes();
  // Notes the focused control, for its window to give it back when activated again.
  void RememberFocus() { keys_.RememberFocus(); }
  // The control whose window, or a part of it, `hwnd` is.
  std::optional<Control> ControlHolding(HWND hwnd) const;
  // The window `hwnd` is (not one of its controls).
  std::optional<Window> WindowHolding(HWND hwnd) const;

  std::string Text(Control control) override;
  void SetText(Control control, std::string_view text) override;
  void AppendText(Control control, std::string_view text) override;
  bool Checked(Control control) override;
  void SetChecked(Control control, bool checked) override;
  bool Shown(Control control) override;
  void SetShown(Control control, bool shown) override;
  bool Enabled(Control control) override;
  void SetEnabled(Control control, bool enabled) override;
  void AddLine(Control pane, std::string_view text) override;
  void SetCaption(Window window, std::string_view text) override;
  void ShowWindow(Window window) override;
  void PumpMessages() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(Window window, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void BuildWindow(HINSTANCE instance, const WindowRow& row);
  void BuildControl(HINSTANCE instance, const ControlRow& row);
  HFONT FontOf(Font font);
  bool PaneEndsInLineBreak(Control pane);
  void DrawLabel(const DRAWITEMSTRUCT& item);
  void PlaceConfirmation();

  ViewEvents* events_ = nullptr;
  Win32Keys keys_{*this};
  std::array<HWND, kWindowCount> windows_{};
  std::array<HWND, kControlCount> controls_{};
  std::map<std::pair<int, bool>, HFONT> fonts_;
  HBRUSH face_brush_;
  HBRUSH black_brush_;
  // Lines added to a pane and not yet in it: appending to a large edit control costs
  // in proportion to its text, so lines go in batches, at most one per paint interval
  // while a command runs.
  std::array<std::string, kControlCount> pending_;
  ULONGLONG last_flush_ = 0;
  // What the labels say; a label shows only the start of a long text.
  std::array<std::string, kControlCount> label_texts_;
  int confirmation_result_ = 0;
};

}  // namespace tarvex
