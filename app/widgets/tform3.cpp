#include "app/widgets/tform3.h"

#include "app/widgets/window_style.h"

namespace tarvex {

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form3");
  setWindowTitle("Form3");
  setFont(SansSerifFont(8, false));
  move(192, 125);
  // The frame is unknown until shown (and this window never is): the outer size
  // is given to the client area.
  resize(1305, 675);
}

}  // namespace tarvex
