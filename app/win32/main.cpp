// Start-up on Windows: the common controls, the four windows as the description lists
// them, the window logic on them, then the message loop.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/app_title.h"
#include "app/tform1.h"
#include "app/win32/win32_dialogs.h"
#include "app/win32/win32_view.h"
#include "basics/settings_path.h"
#include "link/clock.h"

namespace {

// The user's decimal separator, for the values in the responder's trace lines.
char DecimalSeparator() {
  wchar_t separator[4] = {};
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
  return length == 2 && separator[0] < 0x80 ? static_cast<char>(separator[0]) : '.';
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<wchar_t> module(32768, L'\0');
  GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
  const std::filesystem::path executable(module.data());

  tarvex::Win32View view(instance);
  tarvex::Win32Dialogs dialogs(view, tarvex::ApplicationTitle(executable));
  tarvex::TForm1 form1({
      .view = view,
      .dialogs = dialogs,
      .clock = tarvex::RealClock(),
      .settings_path = tarvex::SettingsPath(executable.parent_path()),
      // At once, like the end of the process that the closing main window asks for:
      // no further clean-up; the system releases the port.
      .exit_process =
          [](int code) {
            std::fflush(nullptr);
            std::_Exit(code);
          },
      .decimal_separator = DecimalSeparator(),
  });
  view.Connect(form1);
  ShowWindow(view.WindowOf(tarvex::Window::kForm1), show);
  return view.Run();
}
