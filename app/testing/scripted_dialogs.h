// Dialogs for tests: answers come from queues, every text shown is recorded, and
// nothing ever blocks.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs.h"

namespace tarvex::testing {

class ScriptedDialogs final : public Dialogs {
 public:
  void Message(std::string_view text) override { messages.emplace_back(text); }
  void Error(std::string_view text) override { errors.emplace_back(text); }
  // The next queued answer; kNo when the queue is empty.
  int Confirm() override {
    ++confirmations_asked;
    return Next(confirm_answers).value_or(kNo);
  }
  std::optional<std::filesystem::path> OpenFile(const FileDialogSetup& dialog) override { return NextFile(dialog); }
  std::optional<std::filesystem::path> SaveFile(const FileDialogSetup& dialog) override { return NextFile(dialog); }

  // Code page 1251, as the logic gave them.
  std::vector<std::string> messages;
  std::vector<std::string> errors;
  int confirmations_asked = 0;
  std::deque<int> confirm_answers;
  // File answers for both kinds of file dialog, in order, each the name the real
  // dialog would give back; std::nullopt = Cancel, and an empty queue cancels too.
  std::deque<std::optional<std::filesystem::path>> file_answers;
  // The settings of every file dialog shown.
  std::vector<FileDialogSetup> file_dialogs_shown;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
  }
  std::optional<std::filesystem::path> NextFile(const FileDialogSetup& dialog) {
    file_dialogs_shown.push_back(dialog);
    return Next(file_answers).value_or(std::nullopt);
  }
};

}  // namespace tarvex::testing
