// The site report: one self-contained HTML page (no network, no other file) with the
// controller's identifier and pressure, the archive as a chart of value over time, the
// event log as a table that a filter box narrows, and the events per day.
#pragma once

#include <string>
#include <vector>

#include "archive/archive_entry.h"
#include "log/log_entry.h"

namespace tarvex {

struct SiteReport {
  std::string identifier;
  std::string pressure;
  std::string port;
  std::string made;     // when the report was made, as the header shows it
  std::string version;  // the tool's
  std::vector<LogEntry> events;
  std::vector<ArchiveEntry> archive;
  // Why the report stops short, when a step failed; empty for a whole report.
  std::string failure;
};

std::string SiteReportHtml(const SiteReport& report);

}  // namespace tarvex
