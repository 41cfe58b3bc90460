// The yes/no confirmation asked before commands that erase or change data in the
// controller. Modal result 1 for "ДА" (Enter), 2 for "НЕТ" (Escape).
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tarvex {

class TOKBottomDlg : public QDialog {
 public:
  // Placed over `main_window` each time it is shown or activated.
  explicit TOKBottomDlg(QWidget* main_window);

  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QFrame* Bevel1;
  QLabel* Label1;

  void FormShow();
  void FormActivate();

  // Escape and every other way of dismissing the dialog answer "НЕТ".
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // 5 pixels below the main window's top edge, centred on it horizontally.
  void PlaceOverMainWindow();

  QWidget* main_window_;
};

}  // namespace tarvex
