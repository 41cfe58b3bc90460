// Every modal question the tool asks, behind one interface: the window code calls
// these, the application answers with real dialogs, tests with scripted answers.
#pragma once

#include <QString>
#include <optional>

namespace tarvex {

// A standard file dialog's settings: one filter entry (none when both are empty)
// and the extension given to a name typed without one (a file picked from the list
// keeps its own name).
struct FileDialogSetup {
  QString filter_description;
  QString filter_pattern;
  QString default_extension;
};

class Dialogs {
 public:
  // Modal results of the yes/no confirmation.
  static constexpr int kYes = 1;
  static constexpr int kNo = 2;

  virtual ~Dialogs() = default;

  // Plain box captioned with the application title, one OK button. Text as given,
  // leading blanks included.
  virtual void Message(const QString& text) = 0;
  // The framework's error box, for errors that end a handler.
  virtual void Error(const QString& text) = 0;
  // The yes/no confirmation dialog; kYes or kNo (any other answer counts as no).
  virtual int Confirm() = 0;

  // The chosen file (a typed name without an extension has received the default
  // one); nothing when cancelled.
  virtual std::optional<QString> OpenFile(const FileDialogSetup& dialog) = 0;
  virtual std::optional<QString> SaveFile(const FileDialogSetup& dialog) = 0;
};

}  // namespace tarvex
