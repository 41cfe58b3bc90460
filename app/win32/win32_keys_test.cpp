// The keys and the focus of the Win32 windows under wine, typed as the user types
// them (SendInput): Escape, Enter and Space, Alt+F4, and the control that gets the
// focus back after a box, a file dialog, the confirmation, Diag and another window.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/dialogs.h"
#include "app/win32/testing/win32_input.h"
#include "app/win32/win32_dialogs.h"
#include "app/win32/win32_view.h"

namespace tarvex {
namespace {

using testing::PumpUntil;
using testing::RecordingEvents;
using testing::Settle;
using testing::Type;
using testing::Watchdog;

// The keys a timer types once the confirmation runs; a later timer closes it when the
// keys did not answer it, so that a fault ends the test instead of hanging it.
std::vector<WORD> g_keys;
HWND g_confirmation = nullptr;
bool g_unanswered = false;

int AnswerByKeys(Win32View& view, std::vector<WORD> keys) {
  g_keys = std::move(keys);
  g_confirmation = view.WindowOf(Window::kOKBottomDlg);
  g_unanswered = false;
  const UINT_PTR typing = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    Type(g_keys);
  });
  const UINT_PTR closing = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_unanswered = true;
    PostMessageW(g_confirmation, WM_CLOSE, 0, 0);
  });
  const int answer = view.RunConfirmation();
  KillTimer(nullptr, typing);
  KillTimer(nullptr, closing);
  EXPECT_FALSE(g_unanswered);
  return answer;
}

TEST(Win32Keys, EscapeInAPaneOrAnEditBoxDoesNothingAndAltF4StillCloses) {
  Win32View view;
  RecordingEvents events;
  view.Connect(events);
  const HWND main = view.WindowOf(Window::kForm1);
  const HWND diag = view.WindowOf(Window::kForm2);
  ShowWindow(main, SW_SHOW);
  view.ShowWindow(Window::kForm2);
  for (const Control control : {Control::Memo1, Control::Edit1, Control::Form2_Memo}) {
    SetForegroundWindow(view.WindowOf(RowOf(control).window));
    SetFocus(view.WidgetOf(control));
    Type({VK_ESCAPE});
    Settle(view);
    EXPECT_TRUE(events.closes.empty()) << RowOf(control).name;
    EXPECT_TRUE(IsWindowVisible(diag)) << RowOf(control).name;
  }
  SetForegroundWindow(main);
  SetFocus(view.WidgetOf(Control::Memo1));
  Type({VK_F4}, VK_MENU);
  EXPECT_TRUE(PumpUntil(view, [&] { return !events.closes.empty(); }));
  EXPECT_EQ(events.closes, std::vector<Window>{Window::kForm1});
}

TEST(Win32Keys, TheConfirmationAnswersWithTheButtonThatHasTheFocus) {
  Win32View view;
  ShowWindow(view.WindowOf(Window::kForm1), SW_SHOW);
  // The focus starts on "ДА"; Tab moves it to "НЕТ" and back.
  EXPECT_EQ(AnswerByKeys(view, {VK_RETURN}), Dialogs::kYes);
  EXPECT_EQ(AnswerByKeys(view, {VK_TAB, VK_RETURN}), Dialogs::kNo);
  EXPECT_EQ(AnswerByKeys(view, {VK_TAB, VK_SPACE}), Dialogs::kNo);
  EXPECT_EQ(AnswerByKeys(view, {VK_TAB, VK_TAB, VK_SPACE}), Dialogs::kYes);
  EXPECT_EQ(AnswerByKeys(view, {VK_ESCAPE}), Dialogs::kNo);
}

TEST(Win32Keys, TheFocusComesBackAfterBoxesDialogsTheConfirmationDiagAndAnotherWindow) {
  Win32View view;
  Win32Dialogs dialogs(view, "Tarvex");
  const HWND main = view.WindowOf(Window::kForm1);
  ShowWindow(main, SW_SHOW);
  SetForegroundWindow(main);
  // At start: the first control of the Tab order.
  EXPECT_EQ(view.ControlHolding(GetFocus()), Control::Memo);
  const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                     nullptr, nullptr, nullptr);
  const auto answer_box = [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); };
  struct Leave {
    const char* what;
    std::function<void()> leave;
    Control focused, next;
  };
  // A different control each time, so that none is given back by chance.
  const Leave leaves[] = {
      {"message box",
       [&] {
         const Watchdog watchdog(GetCurrentThreadId(), answer_box);
         dialogs.Message("   COM port ???");
       },
       Control::Edit1, Control::ReadTim},
      {"file dialog",
       [&] {
         const Watchdog watchdog(GetCurrentThreadId(), answer_box);
         dialogs.SaveFile({"cfg", "*.cfg", "json"});
       },
       Control::Beg, Control::chFile},
      {"confirmation", [&] { AnswerByKeys(view, {VK_ESCAPE}); }, Control::Memo1, Control::ButContLog},
      {"Diag",
       [&] {
         view.ShowWindow(Window::kForm2);
         SetForegroundWindow(main);
       },
       Control::Last10, Control::Last100},
      {"another window",
       [&] {
         ShowWindow(other, SW_SHOW);
         SetForegroundWindow(other);
         SetForegroundWindow(main);
       },
       Control::Edi, Control::Button6},
  };
  for (const auto& [what, leave, focused, next] : leaves) {
    SetFocus(view.WidgetOf(focused));
    leave();
    Settle(view);
    EXPECT_EQ(view.ControlHolding(GetFocus()), focused) << what;
    Type({VK_TAB});
    Settle(view);
    EXPECT_EQ(view.ControlHolding(GetFocus()), next) << what;
  }
  DestroyWindow(other);
}

}  // namespace
}  // namespace tarvex
