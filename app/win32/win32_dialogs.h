// The real dialogs on Windows: message boxes, the open and save dialogs, and the
// confirmation drawn by the view. Each is modal over every window of the tool.
#pragma once

#include <string>

#include "app/dialogs.h"
#include "app/win32/win32_view.h"

namespace tarvex {

class Win32Dialogs final : public Dialogs {
 public:
  // `title` (code page 1251) captions every box: the application title.
  Win32Dialogs(Win32View& view, std::string title) : view_(view), title_(std::move(title)) {}

  void Message(std::string_view text) override;
  void Error(std::string_view text) override;
  int Confirm() override { return view_.RunConfirmation(); }
  std::optional<std::filesystem::path> OpenFile(const FileDialogSetup& dialog) override;
  std::optional<std::filesystem::path> SaveFile(const FileDialogSetup& dialog) override;

 private:
  void Box(std::string_view text, UINT icon);
  std::optional<std::filesystem::path> AskFile(const FileDialogSetup& dialog, bool save);

  Win32View& view_;
  std::string title_;
};

}  // namespace tarvex
