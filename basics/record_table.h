// Records as rows for spreadsheets and scripts: CSV as RFC 4180 writes it (a field
// quoted when it holds a comma, a quote or a line break, quotes doubled, CR LF after
// every row, a header row of the column names) or JSON Lines (one object per line,
// the column names as its keys). Text is UTF-8.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvex {

enum class TableFormat { kCsv, kJsonl };

struct TableCell {
  // A number's text is its decimal form ("12", "5.123"): unquoted in CSV, a number in
  // JSON.
  bool number = false;
  // None: an empty field in CSV, null in JSON.
  std::optional<std::string> text;
};

// What comes before the first row: the header row for CSV, nothing for JSON Lines.
std::string TableHead(TableFormat format, std::span<const std::string_view> columns);

// One row, its line end included; `cells` has a cell for each column.
std::string TableRow(TableFormat format, std::span<const std::string_view> columns,
                     std::span<const TableCell> cells);

}  // namespace tarvex
