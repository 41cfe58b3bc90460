#include "basics/count_boxes.h"

#include "basics/str_to_int.h"

namespace tarvex {

std::int32_t CountFromBoxes(const CountBoxes& boxes) {
  std::int32_t count = 0;
  if (boxes.last500) count = 500;
  if (boxes.last100) count = 100;
  if (boxes.last10) count = 10;
  if (boxes.index) count = StrToInt(boxes.beg);
  return count;
}

}  // namespace tarvex
