// How the window shows the end of a LOG or RETRO retrieval: "NOT OK" when a step
// ended it, and a message box when the chosen file was not written, so that a file
// that cannot be created, written or flushed is never taken for written.
#pragma once

#include "app/tform1.h"
#include "basics/cp1251_text.h"
#include "link/operation_outcome.h"

namespace tarvex {

inline void ShowRetrievalEnd(TForm1& form, const OperationOutcome& outcome) {
  if (outcome.kind == OutcomeKind::kFailed) form.ShowNotOk();
  if (const auto& failed = outcome.file_failure) {
    form.dialogs.Message(Cp1251FromUtf8("   Файл не записан: ") + Cp1251FromPath(failed->path) + " (" + failed->reason +
                         ")");
  }
}

}  // namespace tarvex
