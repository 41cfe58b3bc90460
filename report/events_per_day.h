// The count of events per day as a small SVG bar chart: a bar for every day from the
// first dated event to the last, days without events included.
#pragma once

#include <span>
#include <string>

#include "log/log_entry.h"

namespace tarvex {

std::string EventsPerDaySvg(std::span<const LogEntry> events);

}  // namespace tarvex
