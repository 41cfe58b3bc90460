// How a multi-step operation ended, and the first failure on the way, for a front end
// to show: the window as its labels, the command line as one line of text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "link/link_failure.h"

namespace tarvex {

class Link;

// One step that failed: a query ("pointer query") or the read of one record
// ("record" with the index as requested).
struct StepFailure {
  const char* step = "";
  std::optional<std::int32_t> index;
  // kNone: the reply was valid but its value reads as a failure (a pointer of 0).
  LinkFailure reason = LinkFailure::kNone;
};

// The output file could not be created, written or flushed.
struct FileFailure {
  std::filesystem::path path;
  std::string reason;        // the system's words
  std::int32_t records = 0;  // records that reached the file whole
};

enum class OutcomeKind {
  kDone,     // every step ran
  kStopped,  // the user stopped it
  kFailed,   // a failed step ended it
};

struct OperationOutcome {
  OutcomeKind kind = OutcomeKind::kDone;
  // The first failure, also one the operation went on after (a query read as 0, as
  // the window does); set whenever kind is kFailed.
  std::optional<StepFailure> failure;
  // The output file failed; the operation went on without it.
  std::optional<FileFailure> file_failure;

  // Keeps `f` unless an earlier failure is kept already.
  void Note(const StepFailure& f) {
    if (!failure) failure = f;
  }
  // Ends the operation at the failed step `f`.
  void Fail(const StepFailure& f) {
    Note(f);
    kind = OutcomeKind::kFailed;
  }
};

// One value read by a query, with the failure of its exchange if it failed.
struct QueryReading {
  std::int32_t value = 0;
  std::optional<StepFailure> failure;
  // The output file failed; the operation went on without it.
  std::optional<FileFailure> file_failure;
};

// Runs the one-exchange `query` on `link`: its value, and the failure of the step
// named `step` when the exchange failed.
QueryReading RunQuery(Link& link, std::int32_t (*query)(Link&), const char* step);

// One line in English for the command line: "done", "stopped", "no reply to the
// pointer query", "record 1264: reply checksum wrong".
std::string OutcomeText(const OperationOutcome& outcome);
std::string StepFailureText(const StepFailure& failure);

}  // namespace tarvex
