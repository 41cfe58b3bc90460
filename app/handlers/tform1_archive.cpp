// The archive: "Begin up retro" (the pointer query) and "RETRO" (the retrieval into
// Memo1 and, with "Файл", into a text file, times shifted to the PC's zone).
#include <string>

#include "app/handlers/command_guard.h"
#include "app/handlers/count_boxes_of.h"
#include "app/handlers/retrieval_end.h"
#include "app/tform1.h"
#include "archive/archive_retrieval.h"

namespace tarvex {
namespace {

// The pointer query's value in RecordPointer and "OK=" + P as the whole text of
// Memo1; a pointer of 0 (a silent controller too) shows "NOT OK".
void ShowArchivePointer(TForm1& form, const QueryReading& reading) {
  form.RecordPointer = reading.value;
  form.Memo1.Clear();
  form.Memo1.SetText(std::string_view("OK=" + std::to_string(reading.value)));
  form.ShowResult(!reading.failure);
}

// RETRO as the window shows it: the pointer as "Begin up retro" shows it, R in
// RecordPointer, the lines in Memo1, each record's index in Edi, ONE's value in EdVal.
class ArchiveView final : public ArchiveRetrievalSink {
 public:
  explicit ArchiveView(TForm1& form) : form_(form) {}

  CountBoxes Boxes() override { return CountBoxesOf(form_); }
  void PointerQueryStarting() override { form_.HideStatus(); }
  void PointerRead(const QueryReading& reading) override { ShowArchivePointer(form_, reading); }
  void RecordsStarting(std::int32_t last_index) override {
    form_.RecordPointer = last_index;
    form_.HideStatus();
  }
  std::optional<std::filesystem::path> OutputPath() override { return form_.ChosenOutputFile(form_.SaveDialog2); }
  void Line(std::string_view text) override { form_.Memo1.AddLine(text); }
  void RunningNumber(std::int32_t index) override { form_.Edi.SetText(std::to_string(index)); }
  void Value(std::string_view text) override { form_.EdVal.SetText(text); }

 private:
  TForm1& form_;
};

}  // namespace

void TForm1::ButBegRetroClick() {
  RunCommand(CommandRunning, [this] {
    HideStatus();
    ShowArchivePointer(*this, ReadArchivePointer(link));
  });
}

void TForm1::ButContRetroClick() {
  RunCommand(CommandRunning, [this] {
    // The PC clock is read once, before anything else.
    const WallTime now = wall_clock.Now();
    ArchiveView view(*this);
    ShowRetrievalEnd(*this, RetrieveArchive(link, view, now));
  });
}

}  // namespace tarvex
