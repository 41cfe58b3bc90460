// The simulator's built-in controller contents: deterministic for a given seed, so a
// test or a demo sees the same records every time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/model/bytes.h"

namespace tarvex::sim {

// `n` event records, oldest first: a marker (">", "<" or another sign), the time stamp
// "YYYY.MM.DD-hh:mm:ss " in fixed columns, then a Russian event text in code page 1251,
// some with CR LF inside. Each record is 60..120 bytes; the time runs forward from late
// December across the year end.
std::vector<Bytes> DefaultEventRecords(std::size_t n, std::uint64_t seed);

// Hourly archive records, oldest first: Y (from 2000), Mo, D, h, mi, s and a float
// (little-endian). 1601 of them, so a ring of 1001 is full, has wrapped and holds
// 2024-12-09 .. 2025-01-20 (a month end and a year end) with its pointer at 600.
std::vector<Bytes> DefaultArchiveRecords(std::uint64_t seed);

// A configuration JSON of a few KB with Russian texts, CR LF line ends, code page 1251.
Bytes DefaultConfiguration();
Bytes DefaultTestConfiguration();
Bytes DefaultScript();

}  // namespace tarvex::sim
