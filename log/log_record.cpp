#include "log/log_record.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

namespace tarvex {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
// The event text starts at this column of the record and of the line.
constexpr std::size_t kTextColumn = 21;

struct Field {
  std::size_t offset;
  std::size_t width;
};
// Year, month, day, hour, minute, second.
constexpr std::array<Field, 6> kTimeFields{{{1, 4}, {6, 2}, {9, 2}, {12, 2}, {15, 2}, {18, 2}}};

// The record as the retrieval leaves it: followed by zero bytes.
std::uint8_t ByteAt(std::span<const std::uint8_t> record, std::size_t i) {
  return i < record.size() ? record[i] : 0;
}

// The bytes of a field up to the first zero byte (the field copied and terminated).
std::string CopyField(std::span<const std::uint8_t> record, Field field) {
  std::string text;
  for (std::size_t i = 0; i < field.width; ++i) {
    const std::uint8_t b = ByteAt(record, field.offset + i);
    if (b == 0) break;
    text.push_back(static_cast<char>(b));
  }
  return text;
}

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The leading integer as C's strtol reads it: blanks, an optional sign, digits.
// Nothing when there are no digits. Fields are at most 4 bytes, so no overflow.
std::optional<long> LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

// A field's value as a 16-bit unsigned number (minus one reads as 65535).
std::uint16_t ReadField(std::span<const std::uint8_t> record, Field field,
                        std::uint16_t previous) {
  const std::string text = CopyField(record, field);
  if (text.empty()) return 0;
  const std::optional<long> value = LeadingInteger(text);
  return value ? static_cast<std::uint16_t>(*value) : previous;
}

// ">" and "<" are shown; any other marker becomes a blank.
char PrefixLead(std::uint8_t marker) {
  return marker == '>' || marker == '<' ? static_cast<char>(marker) : ' ';
}

// "%c%04d.%02d.%02d-%02d:%02d:%02d ": 21 characters while the values fit their widths.
// Keeps the values and the stamp in `fields`.
std::string Prefix(std::span<const std::uint8_t> record, LogRenderState& state, LogRecordFields& fields) {
  for (std::size_t i = 0; i < kTimeFields.size(); ++i) {
    state.last_field_value = ReadField(record, kTimeFields[i], state.last_field_value);
    fields.stamp[i] = state.last_field_value;
  }
  const auto& v = fields.stamp;
  char text[64];
  const int n = std::snprintf(text, sizeof text, "%c%04u.%02u.%02u-%02u:%02u:%02u ", PrefixLead(ByteAt(record, 0)),
                              unsigned{v[0]}, unsigned{v[1]}, unsigned{v[2]}, unsigned{v[3]}, unsigned{v[4]},
                              unsigned{v[5]});
  const std::string prefix(text, static_cast<std::size_t>(n));
  fields.marker = ByteAt(record, 0);
  fields.stamp_text = prefix.substr(1, prefix.size() - 2);
  fields.stamp_as_received = prefix.size() == kTextColumn;
  for (std::size_t i = 1; i < kTextColumn && fields.stamp_as_received; ++i) {
    fields.stamp_as_received = ByteAt(record, i) == static_cast<std::uint8_t>(prefix[i]);
  }
  return prefix;
}

// The L bytes of the line buffer: the prefix, the record's text over it from column
// 21 on, cut to L.
std::string LineBuffer(std::span<const std::uint8_t> record, const std::string& prefix) {
  const std::size_t length = record.size();
  std::string line = prefix.substr(0, std::min(length, kTextColumn));
  if (length > kTextColumn) line.append(record.begin() + kTextColumn, record.end());
  return line;
}

// The line is the buffer's text up to its first zero byte.
std::string UpToZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

// LF bytes of the record as received, up to its first zero byte.
std::size_t CountLineFeeds(std::span<const std::uint8_t> record) {
  const auto end = std::find(record.begin(), record.end(), 0);
  return static_cast<std::size_t>(std::count(record.begin(), end, kLf));
}

// Folds a line's breaks: n times the first LF goes, then n times the first CR CR
// loses one CR; the CRs left turn into blanks, and the first of them (if not at
// column 0) is removed.
std::string FoldLineBreaks(std::string line, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t lf = line.find(kLf);
    if (lf != std::string::npos) line.erase(lf, 1);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t pair = line.find("\r\r");
    if (pair != std::string::npos) line.erase(pair, 1);
  }
  const std::size_t first_cr = line.find(kCr);
  std::replace(line.begin(), line.end(), kCr, ' ');
  if (first_cr != std::string::npos && first_cr > 0) line.erase(first_cr, 1);
  return line;
}

}  // namespace

RenderedLogRecord RenderLogRecord(std::span<const std::uint8_t> record, LogRenderState& state) {
  RenderedLogRecord rendered;
  const std::string buffer = LineBuffer(record, Prefix(record, state, rendered.fields));
  std::string line = UpToZero(buffer);
  if (!line.empty() && line.front() == '>') {
    rendered.kind = LogRecordKind::kVerbatim;
    rendered.pane_text = line;
    rendered.file_bytes = buffer + "\r\n";
  } else {
    rendered.kind = LogRecordKind::kFolded;
    line = FoldLineBreaks(line, CountLineFeeds(record));
    rendered.pane_text = line + "\r\n";
    rendered.file_bytes = rendered.pane_text;
  }
  if (line.size() > kTextColumn) rendered.fields.text = line.substr(kTextColumn);
  return rendered;
}

}  // namespace tarvex
