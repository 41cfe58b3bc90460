#include "app/qt/window_style.h"

#include <QStringList>

namespace tarvex {

QFont SansSerifFont(int point_size, bool bold) {
  // Where the family is missing, narrow faces keep the captions inside buttons
  // that were sized for it.
  static const bool substituted = [] {
    const QStringList narrow = {"Microsoft Sans Serif", "DejaVu Sans Condensed", "Liberation Sans Narrow"};
    QFont::insertSubstitutions("MS Sans Serif", narrow);
    return true;
  }();
  (void)substituted;
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
