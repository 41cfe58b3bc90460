// Every modal question the tool asks, behind one interface: the window logic calls
// these, a renderer answers with real dialogs, tests with scripted answers. Texts are
// code page 1251.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "app/form_description.h"

namespace tarvex {

class Dialogs {
 public:
  // Modal results of the yes/no confirmation.
  static constexpr int kYes = 1;
  static constexpr int kNo = 2;

  virtual ~Dialogs() = default;

  // Plain box captioned with the application title, one OK button. Text as given,
  // leading blanks included.
  virtual void Message(std::string_view text) = 0;
  // The framework's error box, for errors that end a handler.
  virtual void Error(std::string_view text) = 0;
  // The yes/no confirmation dialog (TOKBottomDlg); kYes or kNo (any other answer
  // counts as no).
  virtual int Confirm() = 0;

  // The chosen file (a typed name without an extension has received the default
  // one); nothing when cancelled.
  virtual std::optional<std::filesystem::path> OpenFile(const FileDialogSetup& dialog) = 0;
  virtual std::optional<std::filesystem::path> SaveFile(const FileDialogSetup& dialog) = 0;
};

}  // namespace tarvex
