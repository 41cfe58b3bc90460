// The system's Find dialog on the window's real panes, in this process under wine.
#include "app/win32/win32_find_box.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include "app/win32/win32_view.h"
#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

std::pair<DWORD, DWORD> Selection(HWND pane) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

TEST(Win32FindBox, CtrlFOpensTheFindDialogAndAMatchIsSelectedAndShownWhileThePaneFills) {
  ASSERT_EQ(GetACP(), 1251u) << "wine's Find dialog keeps Cyrillic with code page 1251 only: LC_ALL=ru_RU.UTF-8";
  Win32View view;
  ShowWindow(view.WindowOf(Window::kForm1), SW_SHOW);
  Win32FindBox find(view.WindowOf(Window::kForm1), {view.WidgetOf(Control::Memo1), view.WidgetOf(Control::Memo)});
  const HWND log = view.WidgetOf(Control::Memo1);
  std::string text;
  for (int i = 0; i < 300; ++i) text += "<2024.12.27-06:13:00 line " + std::to_string(i) + "\r\n";
  view.SetText(Control::Memo1, text + Cp1251FromUtf8("<2025.01.02-03:04:05 Ошибка связи\r\n"));
  const auto at = static_cast<DWORD>(text.size() + 21);

  SendMessageW(log, WM_CHAR, 0x06, 0);  // Ctrl+F
  ASSERT_NE(find.box(), nullptr);
  SetDlgItemTextW(find.box(), edt1, L"ОШИБКА");
  SendMessageW(find.box(), WM_COMMAND, IDOK, 0);  // "Find Next"
  EXPECT_EQ(Selection(log), std::make_pair(at, at + 6));
  EXPECT_GT(SendMessageW(log, EM_GETFIRSTVISIBLELINE, 0, 0), 250);

  // Lines come in; the selection stays, and F3 finds in them.
  view.AddLine(Control::Memo1, Cp1251FromUtf8("<2025.01.03-00:00:00 ошибка датчика"));
  view.Text(Control::Memo1);
  EXPECT_EQ(Selection(log), std::make_pair(at, at + 6));
  SendMessageW(log, WM_KEYDOWN, VK_F3, 0);
  const auto second = Selection(log);
  EXPECT_EQ(second.first, at + 35);
  wchar_t status[32] = {};
  GetWindowTextW(find.status(), status, 32);
  EXPECT_STREQ(status, L"");
  SendMessageW(log, WM_KEYDOWN, VK_F3, 0);
  GetWindowTextW(find.status(), status, 32);
  EXPECT_STREQ(status, L"not found");
  EXPECT_EQ(Selection(log), second);

  // Up: the first one again. Matching case from the start: the second one.
  CheckRadioButton(find.box(), rad1, rad2, rad1);
  SendMessageW(find.box(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Selection(log), std::make_pair(at, at + 6));
  CheckRadioButton(find.box(), rad1, rad2, rad2);
  CheckDlgButton(find.box(), chx2, BST_CHECKED);
  SetDlgItemTextW(find.box(), edt1, L"ошибка");
  SendMessageW(log, EM_SETSEL, 0, 0);
  SendMessageW(find.box(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Selection(log), second);

  SendMessageW(find.box(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(find.box(), nullptr);
}

}  // namespace
}  // namespace tarvex
