// What a user does to the Win32 windows in the tests under wine: clicks and keys as
// input, and a watchdog that answers the boxes and dialogs the window shows.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/view.h"
#include "app/win32/win32_view.h"

namespace tarvex::testing {

class RecordingEvents final : public ViewEvents {
 public:
  void Clicked(Control control) override { clicks.push_back(control); }
  void MouseUp(Window window, MouseButton button) override { mouse_ups.emplace_back(window, button); }
  void CloseRequested(Window window) override { closes.push_back(window); }
  bool Busy() const override { return false; }
  std::vector<Control> clicks;
  std::vector<std::pair<Window, MouseButton>> mouse_ups;
  std::vector<Window> closes;
};

// Handles messages until `done` or a few seconds have passed.
template <typename Done>
bool PumpUntil(Win32View& view, Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    view.PumpMessages();
  }
  return true;
}

// Presses and releases a mouse button at a point of the main window's client area.
inline void ClickAt(HWND form, POINT point, DWORD down, DWORD up) {
  ClientToScreen(form, &point);
  SetCursorPos(point.x, point.y);
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = down;
  clicks[1].mi.dwFlags = up;
  SendInput(2, clicks, sizeof(INPUT));
}

// Types the keys one after the other (each pressed and released) with `held` held
// down; the window gets them at its next pump.
inline void Type(const std::vector<WORD>& keys, WORD held = 0) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (held != 0) add(held, 0);
  for (const WORD key : keys) {
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
  }
  if (held != 0) add(held, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Handles what the window has been sent so far, messages it posts itself included.
inline void Settle(Win32View& view) {
  for (int i = 0; i < 3; ++i) view.PumpMessages();
}

// A watchdog on its own thread: finds the box or dialog the main thread shows, notes
// its texts, then answers it.
class Watchdog {
 public:
  // `answer` runs on the watchdog's thread with the dialog's window.
  template <typename Answer>
  Watchdog(DWORD thread, Answer answer) : worker_([this, thread, answer] {
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (std::chrono::steady_clock::now() < end && dialog_ == nullptr) {
        EnumThreadWindows(thread, [](HWND hwnd, LPARAM self) {
          wchar_t name[16] = {};
          GetClassNameW(hwnd, name, 16);
          if (IsWindowVisible(hwnd) && wcscmp(name, L"#32770") == 0) reinterpret_cast<Watchdog*>(self)->dialog_ = hwnd;
          return TRUE;
        }, reinterpret_cast<LPARAM>(this));
        if (dialog_ == nullptr) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      if (dialog_ == nullptr) return;
      EnumChildWindows(dialog_, [](HWND child, LPARAM self) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        reinterpret_cast<Watchdog*>(self)->texts_.append(text).append(L"|");
        return TRUE;
      }, reinterpret_cast<LPARAM>(this));
      wchar_t title[128] = {};
      GetWindowTextW(dialog_, title, 128);
      title_ = title;
      answer(dialog_);
    }) {}
  ~Watchdog() { worker_.join(); }
  std::wstring Texts() {
    worker_.join();
    worker_ = std::thread([] {});
    return texts_;
  }
  const std::wstring& Title() const { return title_; }

 private:
  HWND dialog_ = nullptr;
  std::wstring texts_;
  std::wstring title_;
  std::thread worker_;
};

}  // namespace tarvex::testing
