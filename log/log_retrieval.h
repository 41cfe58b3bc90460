// "LOG": the count and pointer queries, then the records the count boxes ask for,
// each rendered into a line for a pane and, with a file, into the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "basics/count_boxes.h"
#include "link/link.h"
#include "link/operation_outcome.h"
#include "log/log_record.h"

namespace tarvex {

// What a front end shows of a LOG retrieval, and what it lets the retrieval read.
class LogRetrievalSink {
 public:
  virtual ~LogRetrievalSink() = default;
  // The count boxes as they stand now: read for the plan, before every record (EdONE
  // may change meanwhile) and after it (ONE ends the retrieval).
  virtual CountBoxes Boxes() = 0;
  // Around each of the two queries, count first: about to go out; what it read (a
  // failed query reads as 0).
  virtual void QueryStarting() {}
  virtual void QueryRead(const QueryReading& reading) { (void)reading; }
  // The queries are over; the records, if any, follow.
  virtual void RecordsStarting() {}
  // Then: the file the records also go to, if any. The window asks for it here, with
  // the queries' outcome in view.
  virtual std::optional<std::filesystem::path> OutputPath() { return std::nullopt; }
  // What the file begins with, given the pointer line: that line, unless the front end
  // adds to a file that holds more.
  virtual std::string FileStart(const std::string& pointer_line) { return pointer_line; }
  // A line to add to the pane by its add-a-line rule (code page 1251, breaks as given).
  virtual void Line(std::string_view text) = 0;
  // The running number of the record just read (1 for the first); given for verbatim
  // records only.
  virtual void RunningNumber(std::int32_t number) { (void)number; }
  // Each record read, rendered, with the index it was read at: for tables of records.
  virtual void Record(std::int32_t index, const RenderedLogRecord& record) {
    (void)index;
    (void)record;
  }
  // True once the user asked the retrieval to stop; asked before every record.
  virtual bool StopRequested() { return false; }
};

// The count and pointer queries on their own.
QueryReading ReadLogCount(Link& link);
QueryReading ReadLogPointer(Link& link);

// Runs a LOG retrieval on `link`. With a file from the sink, created after the
// queries and replacing any file of that name, the pane gets the line "pointer = P"
// and the file what the sink's FileStart makes of it, then each record's bytes, on disk before the next
// exchange; it is closed however the retrieval ends. A failed query reads as 0 and the
// retrieval goes on with it (the outcome keeps it as its failure); the first failed
// record read ends it (kFailed), as does a stop (kStopped) or ONE after its record. A
// file that fails is written no more and told in the outcome; the retrieval goes on.
// Throws ConversionError for a Beg or EdONE text that is no integer.
OperationOutcome RetrieveLog(Link& link, LogRetrievalSink& sink);

}  // namespace tarvex
