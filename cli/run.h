// One run of tarvex-cli: the words after the program's name in, the exit status out.
// Errors end it with one line on the environment's error stream.
#pragma once

#include <string>
#include <vector>

#include "cli/environment.h"

namespace tarvex::cli {

int Run(const std::vector<std::string>& words, const Environment& environment);

}  // namespace tarvex::cli
