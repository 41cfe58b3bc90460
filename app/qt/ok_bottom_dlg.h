// The yes/no confirmation asked before commands that erase or change data in the
// controller. Modal result 1 for "ДА" (Enter), 2 for "НЕТ" (Escape).
#pragma once

#include <QDialog>

namespace tarvex {

class TOKBottomDlg : public QDialog {
 public:
  // Placed over `main_window` each time it is shown or activated; `flags`: its frame.
  TOKBottomDlg(QWidget* main_window, Qt::WindowFlags flags);

  // Its two buttons, built from the description as its children.
  void Bind(QWidget& ok_button, QWidget& cancel_button);

  void FormShow();
  void FormActivate();

  // Escape and every other way of dismissing the dialog answer "НЕТ".
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void PlaceOverMainWindow();

  QWidget* main_window_;
};

}  // namespace tarvex
