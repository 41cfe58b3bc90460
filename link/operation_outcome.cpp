#include "link/operation_outcome.h"

#include "link/link.h"

namespace tarvex {

QueryReading RunQuery(Link& link, std::int32_t (*query)(Link&), const char* step) {
  QueryReading reading;
  reading.value = query(link);
  if (link.LastFailure() != LinkFailure::kNone) reading.failure = StepFailure{step, {}, link.LastFailure()};
  return reading;
}

std::string StepFailureText(const StepFailure& failure) {
  std::string step = failure.step;
  if (failure.index) step += " " + std::to_string(*failure.index);
  switch (failure.reason) {
    case LinkFailure::kSilent:
      return failure.index ? step + ": no reply" : "no reply to the " + step;
    case LinkFailure::kNone:
      return step + ": read as 0";
    default:
      return step + ": " + LinkFailureText(failure.reason);
  }
}

std::string OutcomeText(const OperationOutcome& outcome) {
  if (outcome.failure) return StepFailureText(*outcome.failure);
  return outcome.kind == OutcomeKind::kStopped ? "stopped" : "done";
}

}  // namespace tarvex
