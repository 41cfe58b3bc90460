// The event log: "LOG" (retrieval into Memo1 and, with "Файл", into a text file), the
// count and pointer queries, "Clear log", and the count boxes that keep each other apart.
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <initializer_list>
#include <optional>
#include <string>

#include "app/command_guard.h"
#include "app/count_boxes_of.h"
#include "app/output_file.h"
#include "app/tform1.h"
#include "app/text_pane.h"
#include "log/count_boxes.h"
#include "log/log_commands.h"
#include "log/log_record.h"

namespace tarvex {
namespace {

// Unticking from a handler emits no click, so it runs no other box's handler.
void Untick(std::initializer_list<QCheckBox*> boxes) {
  for (QCheckBox* box : boxes) box->setChecked(false);
}

void PumpMessages() { QCoreApplication::processEvents(); }

// The count or pointer query: its value in RecordPointer and as "OK=" + value, the
// whole text of Memo1. A silent controller reads as "OK=0" with "OK" all the same.
void RunLogQuery(TForm1& form, std::int32_t (*query)(Link&)) {
  form.HideStatus();
  form.RecordPointer = 0;
  form.RecordPointer = query(form.link);
  form.Memo1->SetText(std::string_view("OK=" + std::to_string(form.RecordPointer)));
  form.ShowOk();
}

}  // namespace

void TForm1::BindLogHandlers() {
  Bind(ButKillLog, &TForm1::ButKillLogClick);
  Bind(ButBegLog, &TForm1::ButBegLogClick);
  Bind(ButContLog, &TForm1::ButContLogClick);
  Bind(Index, &TForm1::IndexClick);
  Bind(Last500, &TForm1::Last500Click);
  Bind(Last100, &TForm1::Last100Click);
  Bind(Last10, &TForm1::Last10Click);
  Bind(ONE, &TForm1::ONEClick);
  Bind(ButContCount, &TForm1::ButContCountClick);
}

void TForm1::ButKillLogClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  if (dialogs.Confirm() != Dialogs::kYes) return;
  EnsurePortOpen();
  HideStatus();
  if (ClearLog(link)) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

void TForm1::ButBegLogClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  LogPointerQuery();
}

void TForm1::ButContCountClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  LogCountQuery();
}

void TForm1::LogCountQuery() { RunLogQuery(*this, QueryLogCount); }

void TForm1::LogPointerQuery() { RunLogQuery(*this, QueryLogPointer); }

void TForm1::ButContLogClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  EnsurePortOpen();
  StopRequested = false;
  LogCountQuery();
  const std::int32_t count = RecordPointer;
  PumpMessages();
  LogPointerQuery();
  const std::int32_t pointer = RecordPointer;
  HideStatus();

  // Closed by its destructor whatever ends the retrieval, a conversion error included.
  std::optional<OutputFile> file;
  if (chFile->isChecked()) {
    if (const auto path = dialogs.SaveFile(SaveDialog1)) {
      file.emplace(*path);
      const std::string line = "pointer = " + std::to_string(pointer) + "\r\n";
      Memo1->AddLine(std::string_view(line));
      file->Write(line);
    }
  }

  const LogRetrievalPlan plan = PlanLogRetrieval(CountBoxesOf(*this), count, pointer);
  LogRenderState state;
  std::int32_t index = plan.first_index;
  for (std::int32_t i = 0; i < plan.count && !StopRequested; ++i, ++index) {
    PumpMessages();
    // EdONE is read again for every record: the user may change it meanwhile.
    index = LogRequestIndex(CountBoxesOf(*this), index);
    const std::int32_t length = ReadLogRecord(link, index);
    if (length <= 0) {
      ShowNotOk();
      return;
    }
    const RenderedLogRecord record = RenderLogRecord(
        {link.TransferFrame.data(), static_cast<std::size_t>(length)}, state);
    Memo1->AddLine(std::string_view(record.pane_text));
    if (record.SetsRunningNumber()) Edi->setText(QString::number(i + 1));
    if (file) file->Write(record.file_bytes);
    PumpMessages();
    if (ONE->isChecked()) return;
  }
}

void TForm1::IndexClick() {
  if (Index->isChecked()) Untick({Last500, Last100, Last10});
}

void TForm1::Last500Click() {
  if (Last500->isChecked()) Untick({Last100, Last10, Index});
}

void TForm1::Last100Click() {
  if (Last100->isChecked()) Untick({Last500, Last10, Index});
}

void TForm1::Last10Click() {
  if (Last10->isChecked()) Untick({Last500, Last100, Index, ONE});
}

void TForm1::ONEClick() {
  if (ONE->isChecked()) Untick({Last10});
}

}  // namespace tarvex
