// The real dialogs: Qt message boxes and file dialogs, and the confirmation window.
#pragma once

#include <QString>

#include "app/dialogs.h"

class QWidget;

namespace tarvex {

class TOKBottomDlg;

class QtDialogs final : public Dialogs {
 public:
  // `title` captions every box (the application title).
  explicit QtDialogs(QString title) : title_(std::move(title)) {}

  // The window over which boxes are shown, and the confirmation dialog; both are
  // created after the dialogs object.
  void SetMainWindow(QWidget* window) { main_window_ = window; }
  void SetConfirmationDialog(TOKBottomDlg* dialog) { confirmation_ = dialog; }

  void Message(std::string_view text) override;
  void Error(std::string_view text) override;
  int Confirm() override;
  std::optional<std::filesystem::path> OpenFile(const FileDialogSetup& dialog) override;
  std::optional<std::filesystem::path> SaveFile(const FileDialogSetup& dialog) override;

 private:
  QString title_;
  QWidget* main_window_ = nullptr;
  TOKBottomDlg* confirmation_ = nullptr;
};

}  // namespace tarvex
