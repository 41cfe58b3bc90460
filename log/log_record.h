// Event records: the time-stamped text line a record becomes in the log pane and
// in the log file.
//
// Layout of a record: byte 0 the kind marker; the time stamp as decimal text in
// fixed columns (year 1..4, month 6..7, day 9..10, hour 12..13, minute 15..16,
// second 18..19, separators not read); the event text from byte 21 on.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace tarvex {

// Carried from one record to the next within one retrieval; start each retrieval
// with a fresh one.
struct LogRenderState {
  // The value of the time-stamp field read last. A field without digits keeps it,
  // so a year without digits takes the seconds of the record before; before the
  // first record it is 0.
  std::uint16_t last_field_value = 0;
};

enum class LogRecordKind {
  kVerbatim,  // marker ">": the text keeps its line breaks
  kFolded,    // any other marker: line breaks folded into one line
};

// What the line shows of the record's fields, for tables of records.
struct LogRecordFields {
  std::uint8_t marker = 0;  // byte 0 as received
  // Year, month, day, hour, minute, second as the line's prefix shows them, and the
  // prefix's time stamp as text ("2024.03.07-09:05:00").
  std::array<std::uint16_t, 6> stamp{};
  std::string stamp_text;
  // The event text as the line shows it: from column 21 on, breaks folded or kept.
  std::string text;
  // False when columns 1..20 of the record are not what the line shows there: letters
  // in a field, minus one shown as 65535, another separator, blanks for zeros, a
  // record shorter than its time stamp.
  bool stamp_as_received = true;
};

struct RenderedLogRecord {
  LogRecordKind kind = LogRecordKind::kFolded;
  // To add to the log pane as one line (by the pane's add-a-line rule).
  std::string pane_text;
  // To write to the log file, if there is one: for kVerbatim the L bytes of the
  // line buffer (a zero byte that ended the line early included) and CR LF; for
  // kFolded the same text as pane_text, which ends in CR LF.
  std::string file_bytes;
  LogRecordFields fields;

  // `Edi` shows the running number of a verbatim record only.
  bool SetsRunningNumber() const { return kind == LogRecordKind::kVerbatim; }
};

// Renders the L = record.size() bytes of one record. Bytes past the record read as
// zero. Records of any length are rendered whole: the text of a long record is not
// cut.
RenderedLogRecord RenderLogRecord(std::span<const std::uint8_t> record, LogRenderState& state);

}  // namespace tarvex
