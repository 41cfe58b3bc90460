#include "basics/record_table.h"

#include <vector>

#include <nlohmann/json.hpp>

namespace tarvex {
namespace {

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

std::string CsvRow(std::span<const std::string> fields) {
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) row += (i == 0 ? "" : ",") + fields[i];
  return row + "\r\n";
}

}  // namespace

std::string TableHead(TableFormat format, std::span<const std::string_view> columns) {
  if (format == TableFormat::kJsonl) return {};
  std::vector<std::string> fields;
  for (const std::string_view column : columns) fields.push_back(CsvField(column));
  return CsvRow(fields);
}

std::string TableRow(TableFormat format, std::span<const std::string_view> columns,
                     std::span<const TableCell> cells) {
  if (format == TableFormat::kCsv) {
    std::vector<std::string> fields;
    for (const TableCell& cell : cells) {
      const std::string text = cell.text.value_or("");
      fields.push_back(cell.number ? text : CsvField(text));
    }
    return CsvRow(fields);
  }
  // Keys in the order of the columns, as the CSV header has them.
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const TableCell& cell = cells[i];
    auto& value = object[std::string(columns[i])];
    if (!cell.text) continue;
    value = cell.number ? nlohmann::ordered_json::parse(*cell.text) : nlohmann::ordered_json(*cell.text);
  }
  // Text that is not UTF-8 cannot throw: each malformed byte becomes U+FFFD.
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace tarvex
