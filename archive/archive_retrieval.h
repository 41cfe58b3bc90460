// "RETRO": the pointer query, then the archive records the count boxes ask for, their
// times shifted to the PC's zone, each into a line for a pane and, with a file, into
// the file; with ONE, only the value of one record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "archive/archive_record.h"
#include "basics/count_boxes.h"
#include "basics/wall_clock.h"
#include "link/link.h"
#include "link/operation_outcome.h"

namespace tarvex {

// What a front end shows of a RETRO retrieval, and what it lets the retrieval read.
class ArchiveRetrievalSink {
 public:
  virtual ~ArchiveRetrievalSink() = default;
  // The count boxes as they stand now: read for the plan and before every record
  // (ONE and EdONE may change meanwhile).
  virtual CountBoxes Boxes() = 0;
  // The pointer query is about to go out; what it read (see ReadArchivePointer).
  virtual void PointerQueryStarting() {}
  virtual void PointerRead(const QueryReading& reading) { (void)reading; }
  // The records, if any, follow; `last_index` is R, the index of the last record.
  virtual void RecordsStarting(std::int32_t last_index) { (void)last_index; }
  // Then: the file the records also go to, if any. The window asks for it here, with
  // the pointer query's outcome in view.
  virtual std::optional<std::filesystem::path> OutputPath() { return std::nullopt; }
  // A line to add to the pane (code page 1251, without a line break of its own), and
  // the index of its record.
  virtual void Line(std::string_view text) = 0;
  virtual void RunningNumber(std::int32_t index) { (void)index; }
  // Each record of a line, its time shifted, with its index: for tables of records.
  virtual void Record(std::int32_t index, const ArchiveRecord& record) {
    (void)index;
    (void)record;
  }
  // ONE: the value of its record, as text.
  virtual void Value(std::string_view text) { (void)text; }
};

// The pointer query on its own. A pointer of 0 is a failure too, whatever the reply.
QueryReading ReadArchivePointer(Link& link);

// Runs a RETRO retrieval on `link`, shifting the times by the zone of `now`, the PC's
// calendar clock read once before anything else (a file dialog included). With a file
// from the sink, created after the pointer query and replacing any file of that name,
// the file gets each record's line, on disk before the next exchange; it is closed
// however the retrieval ends. A failed pointer query reads as 0 (the last index then
// is 999) and the retrieval goes on; the first failed record read ends it (kFailed).
// There is no stop. A file that fails is written no more and told in the outcome; the
// retrieval goes on. Throws ConversionError for a Beg or EdONE text that is no
// integer, and for a record time that cannot be shifted.
OperationOutcome RetrieveArchive(Link& link, ArchiveRetrievalSink& sink, const WallTime& now);

}  // namespace tarvex
