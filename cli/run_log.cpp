// log, log-count, log-pointer, log-clear: as the window's "LOG", "Count", "Pointer"
// and "Clear log".
#include <string>

#include "cli/command_table.h"
#include "cli/count_options.h"
#include "cli/log_append.h"
#include "cli/record_rows.h"
#include "cli/retrieval_output.h"
#include "cli/session.h"
#include "log/log_commands.h"
#include "log/log_retrieval.h"

namespace tarvex::cli {
namespace {

// The window shows a failed query's value as 0; here it is a failure.
ExitStatus PrintQuery(Session& session, QueryReading (*query)(Link&)) {
  const QueryReading reading = query(session.link());
  if (reading.failure) session.Fail(*reading.failure);
  session.PrintLine(std::to_string(reading.value));
  return kDone;
}

// LOG for the command line: the boxes from the options, the records to the output.
class LogLines final : public LogRetrievalSink {
 public:
  LogLines(const CountBoxes& boxes, RetrievalOutput& output, Session& session, std::optional<LogAppend>& append)
      : boxes_(boxes), output_(output), session_(session), append_(append) {}

  CountBoxes Boxes() override { return boxes_; }
  // The count comes first, then the pointer.
  void QueryRead(const QueryReading& reading) override {
    (queries_++ == 0 ? count_ : pointer_) = reading.value;
  }
  void RecordsStarting() override {
    if (append_) boxes_ = append_->Plan(session_, count_, pointer_);
    output_.RecordsStarting(PlanLogRetrieval(boxes_, count_, 0).count);
  }
  std::string FileStart(const std::string& pointer_line) override {
    return append_ ? append_->FileStart() : pointer_line;
  }
  std::optional<std::filesystem::path> OutputPath() override {
    // With a file, the pointer line comes first; the file shows it.
    pointer_line_ = output_.file().has_value();
    return output_.file();
  }
  void Line(std::string_view text) override {
    if (pointer_line_) {
      pointer_line_ = false;
      return;
    }
    output_.Record(text);
  }
  void Record(std::int32_t index, const RenderedLogRecord& record) override {
    output_.Row(LogRow(MakeLogEntry(index, record)));
  }

 private:
  CountBoxes boxes_;
  RetrievalOutput& output_;
  Session& session_;
  std::optional<LogAppend>& append_;
  int queries_ = 0;
  std::int32_t count_ = 0;
  std::int32_t pointer_ = 0;
  bool pointer_line_ = false;
};

}  // namespace

ExitStatus RunLog(Session& session) {
  const CountBoxes boxes = CountBoxesFromOptions(session.invocation(), "--index");
  std::optional<LogAppend> append = LogAppend::Read(session);
  RetrievalOutput output(session, kLogColumns);
  Link& link = session.link();
  LogLines lines(boxes, output, session, append);
  return output.Run([&] { return RetrieveLog(link, lines); });
}

ExitStatus RunLogCount(Session& session) { return PrintQuery(session, ReadLogCount); }

ExitStatus RunLogPointer(Session& session) { return PrintQuery(session, ReadLogPointer); }

ExitStatus RunLogClear(Session& session) {
  if (!session.Confirm("Clear the controller's event log?")) return kDone;
  if (!ClearLog(session.link())) session.FailStep("log clear command");
  return kDone;
}

}  // namespace tarvex::cli
