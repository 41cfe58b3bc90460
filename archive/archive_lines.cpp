#include "archive/archive_lines.h"

#include <cmath>
#include <cstdio>

#include "basics/fixed_format.h"

namespace tarvex {
namespace {

// "%4d:%2.2d:%2.2d %2.2d:%2.2d:%2.2d:  %6.3f", shared by both lines.
std::string LineBody(const ArchiveRecord& record) {
  return ArchiveStampText(record) + ":  " + ArchiveValueField(record.value);
}

}  // namespace

std::string ArchiveStampText(const ArchiveRecord& record) {
  char stamp[96];
  std::snprintf(stamp, sizeof stamp, "%4d:%2.2d:%2.2d %2.2d:%2.2d:%2.2d", record.year == 0 ? 0 : 2000 + record.year,
                record.month, record.day, record.hour, record.minute, record.second);
  return stamp;
}

std::string ArchiveValueField(float value) { return FormatFixed(value, 6, 3); }

std::string ArchivePaneLine(std::int32_t index, const ArchiveRecord& record) {
  char number[16];
  std::snprintf(number, sizeof number, "%5d ", static_cast<int>(index));
  return number + LineBody(record) + "\n";
}

std::string ArchiveFileLine(const ArchiveRecord& record) { return LineBody(record) + "\r\n"; }

std::string ArchiveValueText(float value) {
  const double truncated = std::trunc(static_cast<double>(value));
  // -0.5 truncates to -0, which is written "0".
  return FormatFixed(truncated == 0.0 ? 0.0 : truncated, 0, 0);
}

}  // namespace tarvex
