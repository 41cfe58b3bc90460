#include "app/win32/win32_dialogs.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cwchar>
#include <filesystem>
#include <vector>

#include "app/win32/modal_scope.h"
#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

std::wstring Wide(std::string_view cp1251) {
  const std::u16string text = Utf16FromCp1251(cp1251);
  return {text.begin(), text.end()};
}

// The dialog gives a name typed without an extension the extension of its filter,
// not the default one: a typed name that names no file or folder gets the default
// extension before the dialog takes it. A file picked from the list exists and keeps
// its own name.
void GiveDefaultExtension(HWND dialog, const wchar_t* extension) {
  std::vector<wchar_t> typed(32768, L'\0');
  if (SendMessageW(dialog, CDM_GETSPEC, typed.size(), reinterpret_cast<LPARAM>(typed.data())) <= 1) return;
  const std::filesystem::path name(typed.data());
  if (name.has_extension() || wcspbrk(typed.data(), L"*?") != nullptr) return;
  std::vector<wchar_t> folder(32768, L'\0');
  SendMessageW(dialog, CDM_GETFOLDERPATH, folder.size(), reinterpret_cast<LPARAM>(folder.data()));
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::path(folder.data()) / name, error)) return;
  const std::wstring given = name.wstring() + L"." + extension;
  // The name box: a combo box, or an edit in older dialogs.
  for (const int box : {cmb13, edt1}) {
    if (const HWND control = GetDlgItem(dialog, box)) SetWindowTextW(control, given.c_str());
  }
}

LRESULT CALLBACK TypedNameProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR extension) {
  if (message == WM_COMMAND && LOWORD(wparam) == IDOK) GiveDefaultExtension(dialog, reinterpret_cast<const wchar_t*>(extension));
  return DefSubclassProc(dialog, message, wparam, lparam);
}

// The hook's own window is a child of the dialog.
UINT_PTR CALLBACK FileDialogHook(HWND child, UINT message, WPARAM, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowSubclass(GetParent(child), TypedNameProc, 0, reinterpret_cast<const OPENFILENAMEW*>(lparam)->lCustData);
  }
  return 0;
}

}  // namespace

void Win32Dialogs::Box(std::string_view text, UINT icon) {
  // The main window owns the box and is disabled by it; the others are disabled here.
  const ModalScope others(view_, view_.WindowOf(Window::kForm1));
  MessageBoxW(view_.WindowOf(Window::kForm1), Wide(text).c_str(), Wide(title_).c_str(), MB_OK | icon);
}

void Win32Dialogs::Message(std::string_view text) { Box(text, 0); }

void Win32Dialogs::Error(std::string_view text) { Box(text, MB_ICONERROR); }

std::optional<std::filesystem::path> Win32Dialogs::AskFile(const FileDialogSetup& setup, bool save) {
  // "description (pattern)", the pattern, each ended by a 0, and one more 0.
  std::wstring filter;
  if (!setup.filter_description.empty() || !setup.filter_pattern.empty()) {
    filter = Wide(setup.filter_description + " (" + setup.filter_pattern + ")") + L'\0' +
             Wide(setup.filter_pattern) + L'\0';
  }
  const std::wstring extension = Wide(setup.default_extension);
  std::vector<wchar_t> name(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = view_.WindowOf(Window::kForm1);
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  // A typed name that does not exist yet is taken too: the handlers create the file.
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!extension.empty()) {
    dialog.Flags |= OFN_ENABLEHOOK;
    dialog.lpfnHook = FileDialogHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(extension.c_str());
  }
  if (save) dialog.Flags |= OFN_OVERWRITEPROMPT;
  const ModalScope others(view_, view_.WindowOf(Window::kForm1));
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen || name[0] == L'\0') return std::nullopt;
  return std::filesystem::path(name.data());
}

std::optional<std::filesystem::path> Win32Dialogs::OpenFile(const FileDialogSetup& dialog) {
  return AskFile(dialog, /*save=*/false);
}

std::optional<std::filesystem::path> Win32Dialogs::SaveFile(const FileDialogSetup& dialog) {
  return AskFile(dialog, /*save=*/true);
}

}  // namespace tarvex
