// Where the confirmation stands: 5 pixels below the main window's top edge, centred
// on it horizontally (frame rectangles, screen coordinates).
#pragma once

#include <utility>

namespace tarvex {

inline std::pair<int, int> ConfirmationPlace(int main_left, int main_top, int main_width, int dialog_width) {
  return {main_left + main_width / 2 - dialog_width / 2, main_top + 5};
}

}  // namespace tarvex
