// Reading one record by its index (event log and archive alike).
#pragma once

#include <cstdint>

#include "link/link.h"

namespace tarvex {

// Sends `code` with the low 16 bits of `index` from TransferFrame and reads the
// reply with ExchangeData: returns L, the record then standing in the first L bytes
// of TransferFrame; 0 on failure.
std::int32_t ReadIndexedRecord(Link& link, std::uint8_t code, std::int32_t index);

}  // namespace tarvex
