// The controller's archive commands and the index arithmetic of a retrieval; the
// retrieval itself is RetrieveArchive (archive/archive_retrieval.h).
//
// Indexes run over a ring of 1001 positions, 0..1000.
#pragma once

#include <cstdint>

#include "basics/count_boxes.h"
#include "link/link.h"

namespace tarvex {

inline constexpr std::uint8_t kArchivePointerCode = 91;
inline constexpr std::uint8_t kArchiveRecordCode = 92;
inline constexpr std::int32_t kArchiveRingSize = 1001;

// The archive pointer, 0 on failure.
std::int32_t QueryArchivePointer(Link& link);
// Reads the record at `index` as given (its low 16 bits); returns L, the record
// standing in the first L bytes of link.TransferFrame, or 0 on failure.
std::int32_t ReadArchiveRecord(Link& link, std::int32_t index);

struct ArchiveRetrievalPlan {
  std::int32_t last_index = 0;   // R: the last record, P - 1 (999 for P = 0)
  std::int32_t first_index = 0;  // S: the first record
  std::int32_t count = 0;        // N: records to read
};

// R from the pointer; N from the count boxes (0 when none is ticked) and
// S = R - N + 1, brought into the ring by adding 1001 once when negative. Throws
// ConversionError for a Beg text that is not an integer.
ArchiveRetrievalPlan PlanArchiveRetrieval(const CountBoxes& boxes, std::int32_t pointer);

// The index to request next: with ONE ticked the value of EdONE as it is (throws
// ConversionError), otherwise `index`, reduced by 1001 when above 1000. Later
// indexes continue from the returned value.
std::int32_t ArchiveRequestIndex(const CountBoxes& boxes, std::int32_t index);

}  // namespace tarvex
