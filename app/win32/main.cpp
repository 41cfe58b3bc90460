// Start-up on Windows: the common controls, the four windows as the description lists
// them, the window logic on them, then the message loop.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <vector>

#include "app/app_title.h"
#include "app/product_services.h"
#include "app/tform1.h"
#include "app/win32/win32_dialogs.h"
#include "app/win32/win32_find_box.h"
#include "app/win32/win32_view.h"

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
  tarvex::TForm1 form1(tarvex::ProductServices(view, dialogs, executable, DecimalSeparator()));
  view.Connect(form1);
  const tarvex::Win32FindBox find_box(view.WindowOf(tarvex::Window::kForm1), {view.WidgetOf(tarvex::Control::Memo1),
                                                                              view.WidgetOf(tarvex::Control::Memo)});
  ShowWindow(view.WindowOf(tarvex::Window::kForm1), show);
  return view.Run();
}
