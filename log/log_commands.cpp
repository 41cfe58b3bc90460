#include "log/log_commands.h"

#include <algorithm>

#include "basics/str_to_int.h"
#include "link/record_read.h"

namespace tarvex {

std::int32_t QueryLogCount(Link& link) { return link.ExchangeWordCommand(kLogCountCode); }

std::int32_t QueryLogPointer(Link& link) { return link.ExchangeWordCommand(kLogPointerCode); }

bool ClearLog(Link& link) { return link.ExchangeAckCommand(kLogClearCode); }

std::int32_t ReadLogRecord(Link& link, std::int32_t index) {
  return ReadIndexedRecord(link, kLogRecordCode, index);
}

LogRetrievalPlan PlanLogRetrieval(const CountBoxes& boxes, std::int32_t count_held,
                                  std::int32_t pointer) {
  LogRetrievalPlan plan;
  plan.count = std::min(CountFromBoxes(boxes), count_held);
  // A negative N (from Beg) reads nothing; computed wide so it cannot overflow.
  plan.first_index = static_cast<std::int32_t>(std::int64_t{pointer} - plan.count);
  if (boxes.one) {
    plan.first_index = StrToInt(boxes.ed_one);
    plan.count = 1;
  }
  return plan;
}

std::int32_t LogRequestIndex(const CountBoxes& boxes, std::int32_t index) {
  const std::int32_t next = boxes.one ? StrToInt(boxes.ed_one) : index;
  return next >= kLogRingSize ? next - kLogRingSize : next;
}

}  // namespace tarvex
