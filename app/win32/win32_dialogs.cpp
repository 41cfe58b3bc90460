#include "app/win32/win32_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "app/win32/modal_scope.h"
#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

std::wstring Wide(std::string_view cp1251) {
  const std::u16string text = Utf16FromCp1251(cp1251);
  return {text.begin(), text.end()};
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
  // Given only to a typed name without an extension; a file picked from the list
  // keeps its own name.
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // A typed name that does not exist yet is taken too: the handlers create the file.
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
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
