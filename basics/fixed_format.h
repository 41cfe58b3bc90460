// printf-style "%W.Pf" that always writes "." whatever the process locale says
// (the window framework may switch LC_NUMERIC to the user's locale).
#pragma once

#include <string>

namespace tarvex {

// The same characters as printf("%*.*f", width, precision, value) in the C locale,
// for precisions up to 60.
std::string FormatFixed(double value, int width, int precision);

}  // namespace tarvex
