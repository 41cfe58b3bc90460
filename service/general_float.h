// Floating-point numbers in the general form of the responder's trace lines.
#pragma once

#include <string>

namespace tarvex {

// At most 15 significant digits (rounded half away from zero), trailing zeros
// dropped; plain notation while the value has at most 15 integer digits and is at
// least 0.00001 in magnitude, otherwise "d.dddE-x" / "d.dddEx". `decimal_separator`
// is the user's (one code page 1251 byte). NaN and infinities read "NAN", "INF",
// "-INF".
std::string FormatGeneralFloat(double value, char decimal_separator);

}  // namespace tarvex
