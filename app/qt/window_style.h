// Fonts and window frames shared by the windows.
#pragma once

#include <QFont>
#include <Qt>

namespace tarvex {

// "MS Sans Serif" at the given point size; the system substitutes where it is missing.
QFont SansSerifFont(int point_size, bool bold);

// A fixed-size frame with a title bar; `close_box` adds the close button,
// `minimise_box` the minimise button. Never a maximise button.
Qt::WindowFlags FixedFrame(bool close_box, bool minimise_box);

}  // namespace tarvex
