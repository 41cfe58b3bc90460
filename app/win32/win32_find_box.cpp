#include "app/win32/win32_find_box.h"

#include <commctrl.h>

#include <string>

#include "app/pane_find.h"

namespace tarvex {
namespace {

constexpr UINT_PTR kSubclassId = 0x46494E44;  // "FIND"
// Ctrl+F as TranslateMessage gives it.
constexpr WPARAM kCtrlF = 0x06;
constexpr int kStatusHeight = 20;

std::u16string WindowText16(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return {text.begin(), text.end()};
}

}  // namespace

Win32FindBox::Win32FindBox(HWND owner, std::initializer_list<HWND> panes)
    : owner_(owner), panes_(panes), find_message_(RegisterWindowMessageW(FINDMSGSTRINGW)) {
  request_.lStructSize = sizeof(request_);
  request_.hwndOwner = owner_;
  request_.Flags = FR_DOWN | FR_HIDEWHOLEWORD;
  request_.lpstrFindWhat = what_.data();
  request_.wFindWhatLen = static_cast<WORD>(what_.size());
  SetWindowSubclass(owner_, OwnerProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  for (const HWND pane : panes_) SetWindowSubclass(pane, PaneProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

Win32FindBox::~Win32FindBox() {
  if (box_ != nullptr) DestroyWindow(box_);
  for (const HWND pane : panes_) RemoveWindowSubclass(pane, PaneProc, kSubclassId);
  RemoveWindowSubclass(owner_, OwnerProc, kSubclassId);
}

LRESULT CALLBACK Win32FindBox::PaneProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                        DWORD_PTR self) {
  auto& box = *reinterpret_cast<Win32FindBox*>(self);
  if (message == WM_CHAR && wparam == kCtrlF) {
    box.Open(hwnd);
    return 0;
  }
  if (message == WM_KEYDOWN && wparam == VK_F3) {
    box.pane_ = hwnd;
    if (box.what_[0] == L'\0') {
      box.Open(hwnd);
    } else {
      box.FindNext();
    }
    return 0;
  }
  return DefSubclassProc(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32FindBox::OwnerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                         DWORD_PTR self) {
  auto& box = *reinterpret_cast<Win32FindBox*>(self);
  if (message != box.find_message_) return DefSubclassProc(hwnd, message, wparam, lparam);
  if (box.request_.Flags & FR_DIALOGTERM) {
    box.box_ = nullptr;
    box.status_ = nullptr;
  } else if (box.request_.Flags & FR_FINDNEXT) {
    box.FindNext();
  }
  return 0;
}

void Win32FindBox::Open(HWND pane) {
  pane_ = pane;
  if (box_ == nullptr) {
    box_ = FindTextW(&request_);
    if (box_ == nullptr) return;
    AddStatusLine();
  }
  SetWindowTextW(status_, L"");
  ShowWindow(box_, SW_SHOW);
  SetActiveWindow(box_);
}

void Win32FindBox::AddStatusLine() {
  RECT frame{};
  RECT client{};
  GetWindowRect(box_, &frame);
  GetClientRect(box_, &client);
  SetWindowPos(box_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + kStatusHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 8, client.bottom,
                            client.right - 16, kStatusHeight - 4, box_, nullptr, nullptr, nullptr);
  SendMessageW(status_, WM_SETFONT, SendMessageW(box_, WM_GETFONT, 0, 0), FALSE);
}

void Win32FindBox::FindNext() {
  if (pane_ == nullptr) return;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(pane_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const PaneFindQuery query{.what = std::u16string(what_.data(), what_.data() + wcslen(what_.data())),
                            .match_case = (request_.Flags & FR_MATCHCASE) != 0,
                            .down = (request_.Flags & FR_DOWN) != 0};
  const auto found = FindInPane(WindowText16(pane_), query, {start, end});
  if (!found) {
    if (box_ == nullptr) Open(pane_);
    SetWindowTextW(status_, L"not found");
    return;
  }
  SetWindowTextW(status_, L"");
  if (query.down) {
    SendMessageW(pane_, EM_SETSEL, found->start, static_cast<LPARAM>(found->end));
  } else {
    SendMessageW(pane_, EM_SETSEL, found->end, static_cast<LPARAM>(found->start));
  }
  // Windows' EM_SETSEL leaves the view where it is (wine's scrolls).
  SendMessageW(pane_, EM_SCROLLCARET, 0, 0);
}

}  // namespace tarvex
