#include "log/log_retrieval.h"

#include <string>

#include "link/retrieval_file.h"
#include "log/log_commands.h"
#include "log/log_record.h"

namespace tarvex {
namespace {

std::int32_t RunSinkQuery(LogRetrievalSink& sink, OperationOutcome& outcome,
                          QueryReading (*query)(Link&), Link& link) {
  sink.QueryStarting();
  const QueryReading reading = query(link);
  if (reading.failure) outcome.Note(*reading.failure);
  sink.QueryRead(reading);
  return reading.value;
}

}  // namespace

QueryReading ReadLogCount(Link& link) { return RunQuery(link, QueryLogCount, "count query"); }

QueryReading ReadLogPointer(Link& link) { return RunQuery(link, QueryLogPointer, "pointer query"); }

OperationOutcome RetrieveLog(Link& link, LogRetrievalSink& sink) {
  OperationOutcome outcome;
  const std::int32_t count = RunSinkQuery(sink, outcome, ReadLogCount, link);
  link.hooks().PumpMessages();
  const std::int32_t pointer = RunSinkQuery(sink, outcome, ReadLogPointer, link);
  sink.RecordsStarting();

  RetrievalFile file(sink.OutputPath());
  if (file.named()) {
    const std::string line = "pointer = " + std::to_string(pointer) + "\r\n";
    sink.Line(line);
    file.Write(sink.FileStart(line));
  }

  const LogRetrievalPlan plan = PlanLogRetrieval(sink.Boxes(), count, pointer);
  LogRenderState state;
  std::int32_t index = plan.first_index;
  for (std::int32_t i = 0; i < plan.count; ++i, ++index) {
    if (sink.StopRequested()) {
      outcome.kind = OutcomeKind::kStopped;
      break;
    }
    link.hooks().PumpMessages();
    index = LogRequestIndex(sink.Boxes(), index);
    const std::int32_t length = ReadLogRecord(link, index);
    if (length <= 0) {
      outcome.Fail({"record", index, link.LastFailure()});
      break;
    }
    const RenderedLogRecord record = RenderLogRecord(
        {link.TransferFrame.data(), static_cast<std::size_t>(length)}, state);
    sink.Line(record.pane_text);
    if (record.SetsRunningNumber()) sink.RunningNumber(i + 1);
    sink.Record(index, record);
    file.WriteRecord(record.file_bytes);
    link.hooks().PumpMessages();
    if (sink.Boxes().one) break;
  }
  file.Close(outcome);
  return outcome;
}

}  // namespace tarvex
