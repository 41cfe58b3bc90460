// The find box of the log and configuration panes: Ctrl+F in a pane opens it for that
// pane, F3 finds the next match (app/pane_find.h) with what the box holds. A match is
// selected and scrolled into view; "not found" shows in the box, the selection stays.
// The box is not modal, so a LOG that runs keeps filling the pane.
#pragma once

#include <QDialog>
#include <initializer_list>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvex {

class TextPane;

class FindBox final : public QDialog {
  Q_OBJECT

 public:
  FindBox(QWidget* owner, std::initializer_list<TextPane*> panes);

  // Opens the box for `pane`, its text chosen for typing over.
  void Open(TextPane* pane);
  // Finds the next match in the pane the box was last opened or F3 pressed in; false,
  // and "not found" in the box, when there is none.
  bool FindNext();

  QLineEdit& what() const { return *what_; }
  QCheckBox& match_case() const { return *match_case_; }
  QRadioButton& up() const { return *up_; }
  QRadioButton& down() const { return *down_; }
  QLabel& status() const { return *status_; }

 private:
  TextPane* pane_ = nullptr;
  QLineEdit* what_;
  QCheckBox* match_case_;
  QRadioButton* up_;
  QRadioButton* down_;
  QLabel* status_;
};

}  // namespace tarvex
