#include "app/qt/ok_bottom_dlg.h"

#include <QEvent>
#include <QPushButton>

#include "app/confirmation_place.h"
#include "app/dialogs.h"

namespace tarvex {

TOKBottomDlg::TOKBottomDlg(QWidget* main_window, Qt::WindowFlags flags)
    : QDialog(main_window, flags), main_window_(main_window) {}

void TOKBottomDlg::Bind(QWidget& ok_button, QWidget& cancel_button) {
  connect(static_cast<QPushButton*>(&ok_button), &QPushButton::clicked, this, [this] { done(Dialogs::kYes); });
  connect(static_cast<QPushButton*>(&cancel_button), &QPushButton::clicked, this, [this] { done(Dialogs::kNo); });
}

void TOKBottomDlg::reject() { done(Dialogs::kNo); }

void TOKBottomDlg::PlaceOverMainWindow() {
  if (main_window_ == nullptr) return;
  const QRect main = main_window_->frameGeometry();
  const auto [left, top] = ConfirmationPlace(main.left(), main.top(), main.width(), frameGeometry().width());
  move(left, top);
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
