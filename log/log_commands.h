// The controller's event log commands and the arithmetic of a retrieval; the
// retrieval itself is RetrieveLog (log/log_retrieval.h).
#pragma once

#include <cstdint>

#include "basics/count_boxes.h"
#include "link/link.h"

namespace tarvex {

inline constexpr std::uint8_t kLogPointerCode = 25;
inline constexpr std::uint8_t kLogRecordCode = 26;
inline constexpr std::uint8_t kLogClearCode = 27;
inline constexpr std::uint8_t kLogCountCode = 28;
// The log is a ring of this many records.
inline constexpr std::int32_t kLogRingSize = 2000;

// Number of records held, 0 on failure.
std::int32_t QueryLogCount(Link& link);
// The log pointer, 0 on failure.
std::int32_t QueryLogPointer(Link& link);
// True when any reply came.
bool ClearLog(Link& link);
// Reads the record at `index` as given (its low 16 bits); returns L, the record
// standing in the first L bytes of link.TransferFrame, or 0 on failure.
std::int32_t ReadLogRecord(Link& link, std::int32_t index);

struct LogRetrievalPlan {
  std::int32_t count = 0;        // N: records to read
  std::int32_t first_index = 0;  // X: the first index, before reduction
};

// N from the count boxes, capped at the count held; X = pointer - N. ONE reads one
// record, at the index in EdONE, whatever the count held. Throws ConversionError for
// a Beg or EdONE text that is not an integer.
LogRetrievalPlan PlanLogRetrieval(const CountBoxes& boxes, std::int32_t count_held,
                                  std::int32_t pointer);

// The index to request next: EdONE again when ONE is ticked, else `index`; 2000 is
// taken off once when it is 2000 or more. Later indexes continue from the returned
// value.
std::int32_t LogRequestIndex(const CountBoxes& boxes, std::int32_t index);

}  // namespace tarvex
