// The text an archive record becomes: a pane line, a file line, the single value.
// Numbers follow C printf in the C locale ("." as decimal point).
#pragma once

#include <cstdint>
#include <string>

#include "archive/archive_record.h"

namespace tarvex {

// "%5d %4d:%2.2d:%2.2d %2.2d:%2.2d:%2.2d:  %6.3f\n" with the index in front; the
// year is 2000 + Y, or 0 for Y = 0.
std::string ArchivePaneLine(std::int32_t index, const ArchiveRecord& record);

// "%4d:%2.2d:%2.2d %2.2d:%2.2d:%2.2d:  %6.3f\r\n".
std::string ArchiveFileLine(const ArchiveRecord& record);

// The two parts of both lines: "%4d:%2.2d:%2.2d %2.2d:%2.2d:%2.2d" and "%6.3f".
std::string ArchiveStampText(const ArchiveRecord& record);
std::string ArchiveValueField(float value);

// The value truncated toward zero, in decimal (for EdVal): 25.666 -> "25",
// -1.5 -> "-1". Values beyond any integer type are written in full.
std::string ArchiveValueText(float value);

}  // namespace tarvex
