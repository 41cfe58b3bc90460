#include "cli/record_rows.h"

#include <string>

namespace tarvex::cli {
namespace {

TableCell Number(std::string text) { return {true, std::move(text)}; }
TableCell Text(std::string text) { return {false, std::move(text)}; }
// The line of a record shown oddly; none for the others.
TableCell Line(const std::string& line) { return line.empty() ? TableCell{} : Text(line); }

}  // namespace

std::vector<TableCell> LogRow(const LogEntry& entry) {
  return {Number(std::to_string(entry.index)), Text(entry.time), Text(entry.kind), Text(entry.text),
          Line(entry.line)};
}

std::vector<TableCell> ArchiveRow(const ArchiveEntry& entry) {
  return {Number(std::to_string(entry.index)), Text(entry.time),
          entry.number ? Number(entry.value) : TableCell{}, Line(entry.line)};
}

}  // namespace tarvex::cli
