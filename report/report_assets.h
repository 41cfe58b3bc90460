// The site report's own style sheet and script, inlined into every page: a page that
// opens from a USB stick on a PC without network needs nothing else.
#pragma once

namespace tarvex {

extern const char kReportStyle[];
extern const char kReportScript[];

}  // namespace tarvex
