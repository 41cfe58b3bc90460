// Paces the repaints of a window while a command runs: at most one every kInterval, so
// that the thousands of small changes a retrieval makes each second (a pane line, a
// counter, a progress mark) cost a few repaints instead of one each. The widgets change
// at once and what is painted is the same, only up to kInterval later.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class QWidget;

namespace tarvex {

class PaintPacer final : public QObject {
 public:
  static constexpr std::chrono::milliseconds kInterval{40};

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
