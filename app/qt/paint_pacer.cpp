#include "app/qt/paint_pacer.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tarvex {

PaintPacer::PaintPacer(QWidget& window, std::function<bool()> busy)
    : QObject(&window), window_(window), busy_(std::move(busy)) {
  release_.setSingleShot(true);
  connect(&release_, &QTimer::timeout, this, [this] {
    QCoreApplication::postEvent(&window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
  });
  window.installEventFilter(this);
}

bool PaintPacer::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_ || event->type() != QEvent::UpdateRequest) return false;
  // A modal dialog of the command (a file dialog) must not leave the window unpainted.
  const bool paced = busy_() && QApplication::activeModalWidget() == nullptr;
  const auto since = std::chrono::milliseconds(since_paint_.isValid() ? since_paint_.elapsed() : kPaintInterval.count());
  const auto delay = PaintDelay(paced, since);
  if (delay.count() == 0) {
    since_paint_.restart();
    return false;
  }
  // Held: the window keeps its dirty regions and asks for no other repaint until this
  // one is posted again.
  if (!release_.isActive()) release_.start(delay);
  return true;
}

}  // namespace tarvex
