// Holds the main window's repaints back as the pacing rule says (app/paint_pacing.h):
// the widgets change at once, the window is painted at most once per interval.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

#include "app/paint_pacing.h"

class QWidget;

namespace tarvex {

class PaintPacer final : public QObject {
 public:
  // `busy`: true while a command runs. Installs itself on `window`.
  PaintPacer(QWidget& window, std::function<bool()> busy);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<bool()> busy_;
  QElapsedTimer since_paint_;
  // Posts a held repaint again once the interval is over.
  QTimer release_;
};

}  // namespace tarvex
