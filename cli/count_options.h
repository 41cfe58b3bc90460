// The count boxes that a retrieval command's options stand for.
#pragma once

#include <string_view>

#include "cli/command_line.h"
#include "basics/count_boxes.h"

namespace tarvex::cli {

// The window's boxes at start (the last 30 records), with Beg = N for --last N, or ONE
// ticked with EdONE = I for `one_option` I (--index for the log, --one for the
// archive). Throws CliError(kUsage) when both are given, a value is no integer, or
// the count is below 0.
CountBoxes CountBoxesFromOptions(const Invocation& invocation, std::string_view one_option);

}  // namespace tarvex::cli
