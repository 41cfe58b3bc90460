#include "app/testing/scripted_dialogs.h"

namespace tarvex {

int ScriptedDialogs::Confirm() {
  ++confirmations_asked;
  if (confirm_answers.empty()) return kNo;
  const int answer = confirm_answers.front();
  confirm_answers.pop_front();
  return answer;
}

std::optional<QString> ScriptedDialogs::NextFile(const FileDialogSetup& dialog) {
  file_dialogs_shown.push_back(dialog);
  if (file_answers.empty()) return std::nullopt;
  auto answer = file_answers.front();
  file_answers.pop_front();
  return answer;
}

}  // namespace tarvex
