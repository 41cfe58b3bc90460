// The tables of records that log and archive write with --format: their columns, and
// the row of a record. "line" holds the window's line of a record it shows oddly.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "archive/archive_entry.h"
#include "basics/record_table.h"
#include "log/log_entry.h"

namespace tarvex::cli {

inline constexpr std::array<std::string_view, 5> kLogColumns = {"index", "time", "kind", "text", "line"};
inline constexpr std::array<std::string_view, 4> kArchiveColumns = {"index", "time", "value", "line"};

std::vector<TableCell> LogRow(const LogEntry& entry);
std::vector<TableCell> ArchiveRow(const ArchiveEntry& entry);

}  // namespace tarvex::cli
