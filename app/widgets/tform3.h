// An empty window that is created at start-up and never shown.
#pragma once

#include <QWidget>

namespace tarvex {

class TForm3 : public QWidget {
 public:
  explicit TForm3(QWidget* parent = nullptr);
};

}  // namespace tarvex
