// The Win32 renderer in this process under wine's null graphics driver: the table
// rendered, Cyrillic glyphs, labels on one line, one taskbar button, clicks through
// labels, the Tab cycle, the panes, the confirmation and the real boxes and dialogs
// (answered by a watchdog), and LOG against the simulator on a COM port.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <tuple>
#include <thread>
#include <vector>

#include "app/win32/testing/win32_input.h"
#include "app/win32/testing/win32_shell.h"
#include "app/win32/win32_dialogs.h"
#include "app/win32/win32_view.h"
#include "basics/cp1251_text.h"
#include "basics/file_bytes.h"

namespace tarvex {
namespace {

using testing::ClickAt;
using testing::ComFromEnv;
using testing::PumpUntil;
using testing::RecordingEvents;
using testing::Watchdog;
using testing::Win32Shell;

RECT RectInParent(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::u16string Utf16(const char* utf8) { return Utf16FromCp1251(Cp1251FromUtf8(utf8)); }

TEST(Win32Window, BuildsWhatTheDescriptionSays) {
  Win32View view;
  for (const WindowRow& row : Windows()) {
    const HWND window = view.WindowOf(row.id);
    RECT client{};
    GetClientRect(window, &client);
    // Form3 is never shown, and the system keeps a window within the screen.
    if (row.frame != Frame::kPlain) {
      EXPECT_EQ(client.right, row.width) << row.name;
      EXPECT_EQ(client.bottom, row.height) << row.name;
    }
    wchar_t caption[128] = {};
    GetWindowTextW(window, caption, 128);
    EXPECT_EQ(std::u16string(caption, caption + wcslen(caption)), Utf16(CaptionOf(row.id).c_str())) << row.name;
    if (row.left >= 0) {
      RECT frame{};
      GetWindowRect(window, &frame);
      EXPECT_EQ(frame.left, row.left) << row.name;
      EXPECT_EQ(frame.top, row.top) << row.name;
    }
  }
  for (const ControlRow& row : Controls()) {
    const HWND widget = view.WidgetOf(row.id);
    EXPECT_EQ(GetParent(widget), view.WindowOf(row.window)) << row.name;
    const RECT rect = RectInParent(widget);
    EXPECT_EQ(rect.left, row.left) << row.name;
    EXPECT_EQ(rect.top, row.top) << row.name;
    EXPECT_EQ(rect.right - rect.left, row.width) << row.name;
    // A combo box's field takes the height of its font.
    if (row.kind != Kind::kComboBox) EXPECT_EQ(rect.bottom - rect.top, row.height) << row.name;
    EXPECT_EQ(view.Shown(row.id), !(row.look & kHidden)) << row.name;
    EXPECT_EQ(view.Enabled(row.id), !(row.look & kDisabled)) << row.name;
    EXPECT_EQ(view.Checked(row.id), (row.look & kTicked) != 0) << row.name;
    if (row.kind != Kind::kBevel) EXPECT_EQ(view.Text(row.id), Cp1251FromUtf8(row.text)) << row.name;
  }
}

// The test executable carries the tool's icon resource, as tarvex.exe does.
TEST(Win32Window, TheWindowsShowTheExecutablesIcon) {
  Win32View view;
  const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  ASSERT_NE(icon, nullptr);
  for (const WindowRow& row : Windows()) {
    EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(view.WindowOf(row.id), GCLP_HICON)), icon) << row.name;
  }
}

TEST(Win32Window, EveryCyrillicCaptionHasItsGlyphsInItsFont) {
  Win32View view;
  int checked = 0;
  for (const ControlRow& row : Controls()) {
    const std::u16string text = Utf16(row.text);
    if (text.find_first_of(u"АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя") == std::u16string::npos) {
      continue;
    }
    const HWND widget = view.WidgetOf(row.id);
    const HDC dc = GetDC(widget);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(widget, WM_GETFONT, 0, 0)));
    std::vector<WORD> glyphs(text.size());
    const std::wstring wide(text.begin(), text.end());
    GetGlyphIndicesW(dc, wide.c_str(), static_cast<int>(wide.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    ReleaseDC(widget, dc);
    for (const WORD glyph : glyphs) EXPECT_NE(glyph, 0xFFFF) << row.name;
    ++checked;
  }
  EXPECT_GE(checked, 8);
}

TEST(Win32Window, EveryLabelShowsItsWholeFirstLineOnOneLine) {
  Win32View view;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const ControlRow& row : Controls()) {
    if (row.kind != Kind::kLabel || *row.text == '\0') continue;
    const HWND label = view.WidgetOf(row.id);
    // The label drawn into a bitmap of its size: where it put ink, and how wide and
    // high its text is in its font.
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = row.width;
    format.bmiHeader.biHeight = -row.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
    SendMessageW(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    const std::u16string text = Utf16(row.text);
    const std::wstring inked(text.begin() + static_cast<long>(text.find_first_not_of(u' ')), text.end());
    SIZE extent{};
    GetTextExtentPoint32W(dc, inked.c_str(), static_cast<int>(inked.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old_font);
    int left = row.width, right = -1, bottom = -1;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int y = 0; y < row.height; ++y) {
      for (int x = 0; x < row.width; ++x) {
        const std::uint32_t bgr = pixels[y * row.width + x] & 0xFFFFFF;
        if (RGB(bgr >> 16, (bgr >> 8) & 0xFF, bgr & 0xFF) == face) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
    SelectObject(dc, old_bitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_LT(bottom, metrics.tmHeight) << row.name;
    if (extent.cx <= row.width) {
      EXPECT_GE(right - left + 1, extent.cx * 9 / 10 - 2) << row.name;
    }
  }
}

TEST(Win32Window, OneTaskbarButtonForTheTool) {
  Win32View view;
  const HWND main = view.WindowOf(Window::kForm1);
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
  // A window with an owner gets no button of its own.
  for (const WindowRow& row : Windows()) {
    if (row.id == Window::kForm1) continue;
    EXPECT_EQ(GetWindow(view.WindowOf(row.id), GW_OWNER), main) << row.name;
    EXPECT_FALSE(GetWindowLongPtrW(view.WindowOf(row.id), GWL_EXSTYLE) & WS_EX_APPWINDOW) << row.name;
  }
}

TEST(Win32Window, ClicksOnLabelsReachWhatLiesUnderThem) {
  Win32View view;
  RecordingEvents events;
  view.Connect(events);
  const HWND form = view.WindowOf(Window::kForm1);
  ShowWindow(form, SW_SHOW);
  SetForegroundWindow(form);
  view.SetShown(Control::Label2, true);
  view.PumpMessages();
  // "OK" lies over "Open".
  ClickAt(form, {210, 35}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil(view, [&] { return !events.clicks.empty(); }));
  EXPECT_EQ(events.clicks, std::vector<Control>{Control::OpenCom});
  // A right click on "COM:" is the window's own (it shows Diag).
  ClickAt(form, {12, 36}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(PumpUntil(view, [&] { return !events.mouse_ups.empty(); }));
  EXPECT_EQ(events.mouse_ups, (std::vector<std::pair<Window, MouseButton>>{{Window::kForm1, MouseButton::kRight}}));
}

TEST(Win32Window, TabVisitsTheShownControlsInTheTablesOrderAndWrapsAround) {
  Win32View view;
  const HWND form = view.WindowOf(Window::kForm1);
  ShowWindow(form, SW_SHOW);
  SetForegroundWindow(form);
  std::vector<Control> expected;
  for (const ControlRow& row : Controls()) {
    if (row.window == Window::kForm1 && row.kind != Kind::kLabel && !(row.look & (kHidden | kDisabled))) {
      expected.push_back(row.id);
    }
  }
  SetFocus(view.WidgetOf(expected.front()));
  std::vector<Control> visited;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    view.Dispatch(tab);
    visited.push_back(view.ControlHolding(GetFocus()).value_or(Control::Label));
  }
  std::rotate(expected.begin(), expected.begin() + 1, expected.end());
  EXPECT_EQ(visited, expected);
}

TEST(Win32Window, PanesHoldMoreThan32KBreakOnlyAtCrLfAndKeepTheirViewWhileLinesAreAdded) {
  Win32View view;
  const HWND pane = view.WidgetOf(Control::Memo1);
  view.SetText(Control::Memo1, "");
  for (int i = 0; i < 2000; ++i) view.AddLine(Control::Memo1, std::string(40, 'x'));
  view.AddLine(Control::Memo1, "lone\nLF and lone\rCR");
  view.FlushPanes();
  const std::string text = view.Text(Control::Memo1);
  EXPECT_EQ(text.size(), 2000 * 42 + 21u);
  EXPECT_TRUE(text.ends_with("lone\nLF and lone\rCR\r\n"));
  EXPECT_EQ(SendMessageW(pane, EM_GETLINECOUNT, 0, 0), 2002);
  // With a word selected at the top and the view scrolled elsewhere, both ways, all
  // stays so while lines come.
  view.AddLine(Control::Memo1, std::string(400, 'w'));
  view.FlushPanes();
  SendMessageW(pane, EM_SETSEL, 3, 7);
  SendMessageW(pane, EM_LINESCROLL, 0, -5000);
  SendMessageW(pane, EM_LINESCROLL, 30, 500);
  const int column = GetScrollPos(pane, SB_HORZ);
  EXPECT_GT(column, 0);
  view.AddLine(Control::Memo1, "more");
  view.FlushPanes();
  EXPECT_EQ(SendMessageW(pane, EM_GETFIRSTVISIBLELINE, 0, 0), 500);
  EXPECT_EQ(GetScrollPos(pane, SB_HORZ), column);
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 7u);
}

// The confirmation's buttons, clicked by a timer once the dialog runs.
HWND g_answer_button = nullptr;
HWND g_main_window = nullptr;
bool g_main_window_enabled_while_asked = true;

TEST(Win32Window, TheConfirmationIsModalPlacedOverTheMainWindowAndAnsweredBothWays) {
  Win32View view;
  g_main_window = view.WindowOf(Window::kForm1);
  ShowWindow(g_main_window, SW_SHOW);
  for (const auto& [button, answer] : {std::pair{Control::OKBottomDlg_OKBtn, Dialogs::kYes},
                                       std::pair{Control::OKBottomDlg_CancelBtn, Dialogs::kNo}}) {
    g_answer_button = view.WidgetOf(button);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
      g_main_window_enabled_while_asked = IsWindowEnabled(g_main_window) != FALSE;
      PostMessageW(g_answer_button, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(view.RunConfirmation(), answer);
    KillTimer(nullptr, timer);
    EXPECT_FALSE(g_main_window_enabled_while_asked);
    EXPECT_TRUE(IsWindowEnabled(g_main_window));
  }
  RECT main{};
  RECT dialog{};
  GetWindowRect(g_main_window, &main);
  GetWindowRect(view.WindowOf(Window::kOKBottomDlg), &dialog);
  EXPECT_EQ(dialog.top, main.top + 5);
  EXPECT_EQ((dialog.left + dialog.right) / 2, (main.left + main.right) / 2);
}

TEST(Win32Window, TheBoxesShowTheirTextsUnderTheTitleAndKeepTheOtherWindowsDisabled) {
  Win32View view;
  Win32Dialogs dialogs(view, "Tarvex");
  const HWND diag = view.WindowOf(Window::kForm2);
  bool diag_enabled = true;
  Watchdog watchdog(GetCurrentThreadId(), [&](HWND box) {
    diag_enabled = IsWindowEnabled(diag) != FALSE;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  dialogs.Message(Cp1251FromUtf8("   COM порт ???"));
  EXPECT_NE(watchdog.Texts().find(L"   COM порт ???"), std::wstring::npos);
  EXPECT_EQ(watchdog.Title(), L"Tarvex");
  EXPECT_FALSE(diag_enabled);
  EXPECT_TRUE(IsWindowEnabled(diag));
}

TEST(Win32Window, APaneHasItsLastLinesWhenABoxShows) {
  Win32View view;
  Win32Dialogs dialogs(view, "Tarvex");
  view.AddLine(Control::Memo1, "the last record");
  std::wstring shown;
  Watchdog watchdog(GetCurrentThreadId(), [&](HWND box) {
    shown.resize(4096);
    shown.resize(static_cast<std::size_t>(GetWindowTextW(view.WidgetOf(Control::Memo1), shown.data(), 4096)));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  dialogs.Message("   file not written");
  watchdog.Texts();
  EXPECT_NE(shown.find(L"the last record"), std::wstring::npos);
}

TEST(Win32Window, FileDialogsGiveATypedNameWithoutExtensionTheDefaultOneWhateverTheFilter) {
  Win32View view;
  Win32Dialogs dialogs(view, "Tarvex");
  const auto folder = std::filesystem::temp_directory_path() / "tarvex-win32-dialog";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "plain") << "picked";
  // A new name typed with its extension, one typed without, and a file of the list.
  for (const auto& [save, name, chosen_name] : {std::tuple{false, "fresh.cfg", "fresh.cfg"},
                                                std::tuple{true, "noext", "noext.json"},
                                                std::tuple{false, "plain", "plain"}}) {
    const std::wstring typed = (folder / name).wstring();
    Watchdog watchdog(GetCurrentThreadId(), [&](HWND dialog) {
      // The file name box of the standard dialog: an edit, or a combo box in newer ones.
      SetDlgItemTextW(dialog, 0x480, typed.c_str());
      SetDlgItemTextW(dialog, 0x47C, typed.c_str());
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    const FileDialogSetup setup{"cfg", "*.cfg", "json"};
    const auto chosen = save ? dialogs.SaveFile(setup) : dialogs.OpenFile(setup);
    watchdog.Texts();
    EXPECT_EQ(chosen, folder / chosen_name) << name;
  }
  std::filesystem::remove_all(folder);
}

// The same simulator's records over a COM port and over TCP (the simulator runs on Linux,
// outside wine), the port text typed into Edit1 as the user types it.
class Win32Log : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    port_ = ComFromEnv(GetParam());
    if (port_.empty()) GTEST_SKIP() << GetParam() << " names no simulator port";
    shell_.form->Edit1.SetText(port_);
    shell_.form->Boud.SetText("38400");
    shell_.Click(shell_.form->Last500);
    shell_.form->chFile.SetChecked(true);
    shell_.dialogs.file_answers.push_back(file_);
  }
  void TearDown() override { shell_.form->link.Close(); }

  std::string port_;
  Win32Shell shell_{std::nullopt, &RealClock()};
  std::filesystem::path file_ = shell_.PathOf("events.log");
};

TEST_P(Win32Log, TheLogFileIsTheLinuxBuildsByteForByte) {
  const char* linux_log = std::getenv("TARVEX_TEST_LINUX_LOG");
  if (linux_log == nullptr) GTEST_SKIP() << "TARVEX_TEST_LINUX_LOG names no Linux file";
  shell_.Click(shell_.form->ButContLog);
  const auto expected = ReadFileBytes(linux_log);
  ASSERT_TRUE(expected && expected->starts_with("pointer = 600\r\n")) << linux_log;
  EXPECT_TRUE(ReadFileBytes(file_) == expected);
}

TEST_P(Win32Log, StopEndsTheRetrievalAfterTheCurrentRecord) {
  // Clicked while the first query waits for its reply.
  PostMessageW(shell_.view.WidgetOf(Control::Button8), BM_CLICK, 0, 0);
  shell_.Click(shell_.form->ButContLog);
  const auto file = ReadFileBytes(file_).value_or("");
  const auto lines = std::count(file.begin(), file.end(), '\n');
  EXPECT_GE(lines, 1);
  EXPECT_LT(lines, 50);
}

TEST_P(Win32Log, ClosingDuringLogWritesTheSettingsAndEndsTheTool) {
  PostMessageW(shell_.view.WindowOf(Window::kForm1), WM_CLOSE, 0, 0);
  shell_.Click(shell_.form->ButContLog);
  EXPECT_EQ(shell_.exit_codes, std::vector<int>{0});
  const auto settings = ReadFileBytes(shell_.SettingsPath()).value_or("");
  EXPECT_NE(settings.find(port_), std::string::npos);
}

// Named "Win32/..." so that scripts/test-windows runs them with the other serial tests, one at a time.
INSTANTIATE_TEST_SUITE_P(Win32, Win32Log, ::testing::Values("TARVEX_TEST_LOG_COM", "TARVEX_TEST_TCP_PORT"),
                         [](const auto& info) { return std::string(info.index == 0 ? "Com" : "Tcp"); });

TEST(Win32Unplug, ALostDeviceGivesNotOkAtOnceAndThePortOpensAgain) {
  const std::string com = ComFromEnv("TARVEX_TEST_UNPLUG_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_UNPLUG_COM names no simulator that hangs up";
  Win32Shell shell(std::nullopt, &RealClock());
  TForm1& form = *shell.form;
  form.Edit1.SetText(com);
  shell.Click(form.Last10);
  const auto start = std::chrono::steady_clock::now();
  shell.Click(form.ButContLog);
  // Well within the first-byte wait of a silent line.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(!form.Label5.Hidden() && form.Label2.Hidden());
  // The device is back after a moment: "Open" takes it again and LOG reads.
  for (int attempt = 0; attempt < 50 && form.ok.Hidden(); ++attempt) {
    shell.dialogs.messages.clear();
    Sleep(50);
    shell.Click(form.OpenCom);
  }
  ASSERT_FALSE(form.ok.Hidden());
  shell.Click(form.ButContLog);
  EXPECT_TRUE(form.Label5.Hidden());
  form.link.Close();
}

}  // namespace
}  // namespace tarvex
