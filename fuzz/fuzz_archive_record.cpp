// Any archive record bytes and any zone shift: decoded, corrected (or refused with the
// time/date error) and formatted.
#include "archive/archive_lines.h"
#include "archive/archive_record.h"
#include "basics/conversion_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int zone = (data[0] % 105 - 48) * 15;  // −12:00..+14:00 in quarter hours
  auto record = tarvex::DecodeArchiveRecord({data + 1, size - 1});
  try {
    tarvex::ShiftArchiveTime(record, zone);
  } catch (const tarvex::ConversionError&) {
    return 0;
  }
  const std::string pane = tarvex::ArchivePaneLine(static_cast<std::int32_t>(size), record);
  const std::string file = tarvex::ArchiveFileLine(record);
  tarvex::ArchiveValueText(record.value);
  if (file.size() < 2 || file.substr(file.size() - 2) != "\r\n" || pane.back() != '\n') __builtin_trap();
  return 0;
}
