#include "app/window_style.h"

namespace tarvex {

QFont SansSerifFont(int point_size, bool bold) {
  QFont font(QStringLiteral("MS Sans Serif"), point_size, bold ? QFont::Bold : QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

Qt::WindowFlags FixedFrame(bool close_box, bool minimise_box) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint;
  if (close_box) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (minimise_box) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

}  // namespace tarvex
