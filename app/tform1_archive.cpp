// The archive: "Begin up retro" (the pointer query) and "RETRO" (the retrieval into
// Memo1 and, with "Файл", into a text file, times shifted to the PC's zone).
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>
#include <string_view>

#include "app/command_guard.h"
#include "app/count_boxes_of.h"
#include "app/output_file.h"
#include "app/tform1.h"
#include "app/text_pane.h"
#include "archive/archive_commands.h"
#include "archive/archive_lines.h"
#include "archive/archive_record.h"
#include "archive/zone_shift.h"

namespace tarvex {
namespace {

// The pointer query: P in RecordPointer and "OK=" + P as the whole text of Memo1;
// a silent controller reads as P = 0, "NOT OK".
void RunArchivePointerQuery(TForm1& form) {
  form.HideStatus();
  form.RecordPointer = QueryArchivePointer(form.link);
  form.Memo1->Clear();
  form.Memo1->SetText(std::string_view("OK=" + std::to_string(form.RecordPointer)));
  if (form.RecordPointer == 0) {
    form.ShowNotOk();
  } else {
    form.ShowOk();
  }
}

// R, the index of the last record (P = 0 gives 999): the plan of a run that reads
// nothing, so that a Beg that is no integer cannot stop it.
std::int32_t LastArchiveIndex(std::int32_t pointer) {
  return PlanArchiveRetrieval(CountBoxes{.index = false}, pointer).last_index;
}

// The pane line without its own line feed: adding a line puts the break in, and the
// feed kept would leave an empty line after every record.
std::string_view WithoutLineFeed(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  return line;
}

}  // namespace

void TForm1::BindArchiveHandlers() {
  Bind(ButBegRetro, &TForm1::ButBegRetroClick);
  Bind(ButContRetro, &TForm1::ButContRetroClick);
}

void TForm1::ButBegRetroClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  RunArchivePointerQuery(*this);
}

void TForm1::ButContRetroClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  // The PC clock is read once, before anything else.
  const int zone = ZoneShift(wall_clock.Now());
  RunArchivePointerQuery(*this);
  const std::int32_t pointer = RecordPointer;
  RecordPointer = LastArchiveIndex(pointer);
  HideStatus();

  // Closed by its destructor whatever ends the retrieval, a conversion error included.
  std::optional<OutputFile> file;
  if (chFile->isChecked()) {
    if (const auto path = dialogs.SaveFile(SaveDialog2)) file.emplace(*path);
  }

  const ArchiveRetrievalPlan plan = PlanArchiveRetrieval(CountBoxesOf(*this), pointer);
  std::int32_t index = plan.first_index;
  for (std::int32_t i = 0; i < plan.count; ++i, ++index) {
    QCoreApplication::processEvents();
    // The boxes are read again: ONE and EdONE may change while the retrieval runs.
    const CountBoxes boxes = CountBoxesOf(*this);
    index = ArchiveRequestIndex(boxes, index);
    const std::int32_t length = ReadArchiveRecord(link, index);
    if (length <= 0) {
      ShowNotOk();
      return;
    }
    ArchiveRecord record =
        DecodeArchiveRecord({link.TransferFrame.data(), static_cast<std::size_t>(length)});
    ShiftArchiveTime(record, zone);
    if (boxes.one) {
      EdVal->setText(QString::fromStdString(ArchiveValueText(record.value)));
      return;
    }
    if (file) file->Write(ArchiveFileLine(record));
    Memo1->AddLine(WithoutLineFeed(ArchivePaneLine(index, record)));
    Edi->setText(QString::number(index));
  }
}

}  // namespace tarvex
