// The system's Find dialog on the window's real panes, in this process under wine:
// searches between added lines, and while a LOG against the simulator fills the pane.
#include "app/win32/win32_find_box.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include "app/win32/testing/win32_shell.h"
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

// Ctrl+F and "Find Next" from a timer, while LOG reads 100 records from the simulator.
struct FindDuringLog {
  Win32FindBox* find = nullptr;
  HWND log = nullptr;
  LRESULT lines_then = 0;
  std::pair<DWORD, DWORD> found{};
};
FindDuringLog during;

void CALLBACK FindOnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  if (during.lines_then != 0 || SendMessageW(during.log, EM_GETLINECOUNT, 0, 0) < 20) return;
  KillTimer(nullptr, timer);
  SendMessageW(during.log, WM_CHAR, 0x06, 0);
  SetDlgItemTextW(during.find->box(), edt1, L"БАР");
  SendMessageW(during.find->box(), WM_COMMAND, IDOK, 0);
  during.found = Selection(during.log);
  during.lines_then = SendMessageW(during.log, EM_GETLINECOUNT, 0, 0);
}

TEST(Win32FindBox, FindsWhileALogFillsThePane) {
  const std::string com = testing::ComFromEnv("TARVEX_TEST_LOG_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_LOG_COM names no simulator port";
  testing::Win32Shell shell{std::nullopt, &RealClock()};
  Win32FindBox find(shell.view.WindowOf(Window::kForm1),
                    {shell.view.WidgetOf(Control::Memo1), shell.view.WidgetOf(Control::Memo)});
  during = {.find = &find, .log = shell.view.WidgetOf(Control::Memo1)};
  shell.form->Edit1.SetText(com);
  shell.form->Boud.SetText("38400");
  shell.Click(shell.form->Last100);
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, FindOnTimer);
  shell.Click(shell.form->ButContLog);
  KillTimer(nullptr, timer);
  shell.form->link.Close();
  ASSERT_GT(during.lines_then, 0) << "the timer never found 20 lines";
  EXPECT_LT(during.lines_then, 100);
  EXPECT_GT(SendMessageW(during.log, EM_GETLINECOUNT, 0, 0), 100);
  EXPECT_LT(during.found.first, during.found.second) << "nothing found";
  EXPECT_EQ(Selection(during.log), during.found);
}

}  // namespace
}  // namespace tarvex
