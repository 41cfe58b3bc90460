// The archive as an inline SVG chart of value over time: a line through the records
// in the order read, broken where records are missing, a dot per record (its time and
// value as a tooltip), a time axis with dates and the zone's offset, a value axis in
// the values' own numbers.
#pragma once

#include <span>
#include <string>

#include "archive/archive_entry.h"

namespace tarvex {

// Records are missing between two neighbours that a record without a date or a value
// stands between, whose time goes back, or that lie more than 1.5 usual steps apart
// (the usual step: the median of the steps forward).
std::string ArchiveChartSvg(std::span<const ArchiveEntry> archive);

}  // namespace tarvex
