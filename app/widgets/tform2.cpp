#include "app/widgets/tform2.h"

#include <QPalette>
#include <QPushButton>

#include "app/widgets/text_pane.h"
#include "app/widgets/window_style.h"

namespace tarvex {

TForm2::TForm2(QWidget* parent) : QWidget(parent, FixedFrame(/*close_box=*/true, /*minimise_box=*/false)) {
  setObjectName("Form2");
  setWindowTitle(QString(84, QChar(' ')) + "Diag");
  setFont(SansSerifFont(8, false));
  move(660, 230);
  setFixedSize(264, 89);

  Memo = new TextPane(this);
  Memo->setObjectName("Memo");
  Memo->setGeometry(8, 176, 649, 161);
  QPalette colours = Memo->palette();
  colours.setColor(QPalette::Text, QColor(0, 255, 0));
  colours.setColor(QPalette::Base, Qt::black);
  Memo->setPalette(colours);

  Button1 = new QPushButton("Clear", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(272, 344, 129, 25);

  Button2 = new QPushButton("REBOOT", this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(56, 32, 145, 25);

  setTabOrder(Memo, Button1);
  setTabOrder(Button1, Button2);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TForm2::Button1Click() { Memo->Clear(); }

void TForm2::Button2Click() {
  if (RebootAction) RebootAction();
}

}  // namespace tarvex
