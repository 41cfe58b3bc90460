// Dialogs for tests: answers come from queues, every text shown is recorded, and
// nothing ever blocks.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "app/widgets/dialogs.h"

namespace tarvex {

class ScriptedDialogs final : public Dialogs {
 public:
  void Message(const QString& text) override { messages.append(text); }
  void Error(const QString& text) override { errors.append(text); }
  // The next queued answer; kNo when the queue is empty.
  int Confirm() override;
  std::optional<QString> OpenFile(const FileDialogSetup& dialog) override { return NextFile(dialog); }
  std::optional<QString> SaveFile(const FileDialogSetup& dialog) override { return NextFile(dialog); }

  QStringList messages;
  QStringList errors;
  int confirmations_asked = 0;
  std::deque<int> confirm_answers;
  // File answers for both kinds of file dialog, in order, each the name the real
  // dialog would give back; std::nullopt = Cancel, and an empty queue cancels too.
  std::deque<std::optional<QString>> file_answers;
  // The settings of every file dialog shown.
  std::vector<FileDialogSetup> file_dialogs_shown;

 private:
  std::optional<QString> NextFile(const FileDialogSetup& dialog);
};

}  // namespace tarvex
