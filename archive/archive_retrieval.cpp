#include "archive/archive_retrieval.h"

#include "archive/archive_commands.h"
#include "archive/archive_lines.h"
#include "archive/archive_record.h"
#include "archive/zone_shift.h"
#include "link/retrieval_file.h"

namespace tarvex {
namespace {

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

QueryReading ReadArchivePointer(Link& link) {
  QueryReading reading = RunQuery(link, QueryArchivePointer, "pointer query");
  if (reading.value == 0 && !reading.failure) reading.failure = StepFailure{"pointer query", {}, LinkFailure::kNone};
  return reading;
}

OperationOutcome RetrieveArchive(Link& link, ArchiveRetrievalSink& sink, const WallTime& now) {
  const int zone = ZoneShift(now);
  OperationOutcome outcome;
  sink.PointerQueryStarting();
  const QueryReading pointer = ReadArchivePointer(link);
  if (pointer.failure) outcome.Note(*pointer.failure);
  sink.PointerRead(pointer);
  sink.RecordsStarting(LastArchiveIndex(pointer.value));

  RetrievalFile file(sink.OutputPath());

  const ArchiveRetrievalPlan plan = PlanArchiveRetrieval(sink.Boxes(), pointer.value);
  std::int32_t index = plan.first_index;
  for (std::int32_t i = 0; i < plan.count; ++i, ++index) {
    link.hooks().PumpMessages();
    const CountBoxes boxes = sink.Boxes();
    index = ArchiveRequestIndex(boxes, index);
    const std::int32_t length = ReadArchiveRecord(link, index);
    if (length <= 0) {
      outcome.Fail({"record", index, link.LastFailure()});
      break;
    }
    ArchiveRecord record =
        DecodeArchiveRecord({link.TransferFrame.data(), static_cast<std::size_t>(length)});
    ShiftArchiveTime(record, zone);
    if (boxes.one) {
      sink.Value(ArchiveValueText(record.value));
      break;
    }
    file.WriteRecord(ArchiveFileLine(record));
    sink.Line(WithoutLineFeed(ArchivePaneLine(index, record)));
    sink.RunningNumber(index);
    sink.Record(index, record);
  }
  file.Close(outcome);
  return outcome;
}

}  // namespace tarvex
