// The main window's count boxes, which choose how many records a retrieval reads.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

// A snapshot of the boxes and their edit texts (defaults as at start).
struct CountBoxes {
  bool last500 = false;
  bool last100 = false;
  bool last10 = false;
  bool index = true;
  std::string beg = "30";
  bool one = false;
  std::string ed_one = "3";
};

// Tested in the order Last500, Last100, Last10, Index, a later ticked box overriding
// an earlier one; Index takes the value of `beg` (throws ConversionError). With none
// of them ticked no record is read: 0.
std::int32_t CountFromBoxes(const CountBoxes& boxes);

}  // namespace tarvex
