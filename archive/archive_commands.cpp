#include "archive/archive_commands.h"

#include "basics/str_to_int.h"
#include "link/record_read.h"

namespace tarvex {

std::int32_t QueryArchivePointer(Link& link) {
  return link.ExchangeWordCommand(kArchivePointerCode);
}

std::int32_t ReadArchiveRecord(Link& link, std::int32_t index) {
  return ReadIndexedRecord(link, kArchiveRecordCode, index);
}

ArchiveRetrievalPlan PlanArchiveRetrieval(const CountBoxes& boxes, std::int32_t pointer) {
  ArchiveRetrievalPlan plan;
  // P = 0 gives 999, not 1000.
  plan.last_index = pointer - 1 < 0 ? pointer - 1 + 1000 : pointer - 1;
  plan.count = CountFromBoxes(boxes);
  // Computed wide so that an extreme Beg cannot overflow; only its low bits are sent.
  std::int64_t first = std::int64_t{plan.last_index} - plan.count + 1;
  if (first < 0) first += kArchiveRingSize;
  plan.first_index = static_cast<std::int32_t>(first);
  return plan;
}

std::int32_t ArchiveRequestIndex(const CountBoxes& boxes, std::int32_t index) {
  if (boxes.one) return StrToInt(boxes.ed_one);
  return index > kArchiveRingSize - 1 ? index - kArchiveRingSize : index;
}

}  // namespace tarvex
