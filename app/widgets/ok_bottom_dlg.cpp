#include "app/widgets/ok_bottom_dlg.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/widgets/dialogs.h"
#include "app/widgets/window_style.h"

namespace tarvex {

TOKBottomDlg::TOKBottomDlg(QWidget* main_window)
    : QDialog(main_window, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::MSWindowsFixedSizeDialogHint),
      main_window_(main_window) {
  setObjectName("OKBottomDlg");
  setWindowTitle(QString(25, QChar(' ')) + QString::fromUtf8("ВОПРОС"));
  setFont(SansSerifFont(8, true));
  setFixedSize(207, 92);

  OKBtn = new QPushButton(QString::fromUtf8("ДА"), this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setGeometry(27, 54, 76, 25);
  OKBtn->setDefault(true);

  CancelBtn = new QPushButton(QString::fromUtf8("НЕТ"), this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setGeometry(107, 54, 76, 25);

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->setGeometry(9, 8, 186, 41);

  Label1 = new QLabel(QString::fromUtf8("   Вы  уверены?"), this);
  Label1->setObjectName("Label1");
  Label1->setFont(SansSerifFont(14, false));
  Label1->setGeometry(32, 16, 137, 24);
  // As in the main window, a label never takes a click.
  Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

  connect(OKBtn, &QPushButton::clicked, this, [this] { done(Dialogs::kYes); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { done(Dialogs::kNo); });
}

void TOKBottomDlg::reject() { done(Dialogs::kNo); }

void TOKBottomDlg::PlaceOverMainWindow() {
  if (main_window_ == nullptr) return;
  const QRect main = main_window_->frameGeometry();
  move(main.left() + main.width() / 2 - frameGeometry().width() / 2, main.top() + 5);
}

// Neither lets pending messages run: a queued answer handled while the dialog is
// being shown would close it before its modal loop starts, and that loop would
// then never end. The dialog is placed before it is painted, so nothing is lost.
void TOKBottomDlg::FormShow() { PlaceOverMainWindow(); }

void TOKBottomDlg::FormActivate() { PlaceOverMainWindow(); }

void TOKBottomDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TOKBottomDlg::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

}  // namespace tarvex
