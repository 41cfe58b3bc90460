// How the window shows the end of a LOG or RETRO retrieval: "NOT OK" when a step
// ended it, and a message box when the chosen file was not written, so that a file
// that cannot be created, written or flushed is never taken for written.
#pragma once

#include <QString>

#include "app/tform1.h"
#include "link/operation_outcome.h"

namespace tarvex {

inline void ShowRetrievalEnd(TForm1& form, const OperationOutcome& outcome) {
  if (outcome.kind == OutcomeKind::kFailed) form.ShowNotOk();
  if (const auto& failed = outcome.file_failure) {
    form.dialogs.Message(QString::fromUtf8("   Файл не записан: ") + QString::fromStdU16String(failed->path.u16string()) +
                         " (" + QString::fromStdString(failed->reason) + ")");
  }
}

}  // namespace tarvex
