// The event log: "LOG" (retrieval into Memo1 and, with "Файл", into a text file), the
// count and pointer queries, "Clear log", and the count boxes that keep each other apart.
#include <initializer_list>
#include <string>

#include "app/handlers/command_guard.h"
#include "app/handlers/count_boxes_of.h"
#include "app/handlers/retrieval_end.h"
#include "app/tform1.h"
#include "log/log_commands.h"
#include "log/log_retrieval.h"

namespace tarvex {
namespace {

// Unticking from a handler emits no click, so it runs no other box's handler.
void Untick(std::initializer_list<Handle> boxes) {
  for (const Handle& box : boxes) box.SetChecked(false);
}

// A count or pointer query's value in RecordPointer and as "OK=" + value, the whole
// text of Memo1. A silent controller reads as "OK=0" with "OK" all the same.
void ShowLogQuery(TForm1& form, std::int32_t value) {
  form.RecordPointer = value;
  form.Memo1.SetText(std::string_view("OK=" + std::to_string(value)));
  form.ShowOk();
}

void StartLogQuery(TForm1& form) {
  form.HideStatus();
  form.RecordPointer = 0;
}

void RunLogQuery(TForm1& form, QueryReading (*query)(Link&)) {
  StartLogQuery(form);
  ShowLogQuery(form, query(form.link).value);
}

// LOG as the window shows it: the queries as their own buttons show them, the lines in
// Memo1, the running number in Edi.
class LogView final : public LogRetrievalSink {
 public:
  explicit LogView(TForm1& form) : form_(form) {}

  CountBoxes Boxes() override { return CountBoxesOf(form_); }
  void QueryStarting() override { StartLogQuery(form_); }
  void QueryRead(const QueryReading& reading) override { ShowLogQuery(form_, reading.value); }
  void RecordsStarting() override { form_.HideStatus(); }
  std::optional<std::filesystem::path> OutputPath() override { return form_.ChosenOutputFile(form_.SaveDialog1); }
  void Line(std::string_view text) override { form_.Memo1.AddLine(text); }
  void RunningNumber(std::int32_t number) override { form_.Edi.SetText(std::to_string(number)); }
  bool StopRequested() override { return form_.StopRequested; }

 private:
  TForm1& form_;
};

}  // namespace

void TForm1::ButKillLogClick() {
  RunCommand(CommandRunning, [this] {
    if (dialogs.Confirm() != Dialogs::kYes) return;
    EnsurePortOpen();
    HideStatus();
    ShowResult(ClearLog(link));
  });
}

void TForm1::ButBegLogClick() {
  RunCommand(CommandRunning, [this] { RunLogQuery(*this, ReadLogPointer); });
}

void TForm1::ButContCountClick() {
  RunCommand(CommandRunning, [this] { RunLogQuery(*this, ReadLogCount); });
}

void TForm1::ButContLogClick() {
  RunCommand(CommandRunning, [this] {
    // Cleared before the port opens: a connection to a serial server takes a while, and
    // a Stop clicked meanwhile must hold.
    StopRequested = false;
    EnsurePortOpen();
    LogView view(*this);
    ShowRetrievalEnd(*this, RetrieveLog(link, view));
  });
}

void TForm1::IndexClick() {
  if (Index.Checked()) Untick({Last500, Last100, Last10});
}

void TForm1::Last500Click() {
  if (Last500.Checked()) Untick({Last100, Last10, Index});
}

void TForm1::Last100Click() {
  if (Last100.Checked()) Untick({Last500, Last10, Index});
}

void TForm1::Last10Click() {
  if (Last10.Checked()) Untick({Last500, Last100, Index, ONE});
}

void TForm1::ONEClick() {
  if (ONE.Checked()) Untick({Last10});
}

}  // namespace tarvex
