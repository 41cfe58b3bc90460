#include "app/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/ok_bottom_dlg.h"

namespace tarvex {
namespace {

void ShowBox(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QString QtFilter(const FileDialogSpec& dialog) {
  if (dialog.filter_description.isEmpty() && dialog.filter_pattern.isEmpty()) return {};
  return dialog.filter_description + " (" + dialog.filter_pattern + ")";
}

std::optional<QString> Chosen(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  return name;
}

}  // namespace

void QtDialogs::Message(const QString& text) {
  ShowBox(main_window_, title_, text, QMessageBox::NoIcon);
}

void QtDialogs::Error(const QString& text) {
  ShowBox(main_window_, title_, text, QMessageBox::Critical);
}

int QtDialogs::Confirm() {
  if (confirmation_ == nullptr) return kNo;
  return confirmation_->exec() == kYes ? kYes : kNo;
}

std::optional<QString> QtDialogs::AskOpenFile(const FileDialogSpec& dialog) {
  return Chosen(QFileDialog::getOpenFileName(main_window_, QString(), QString(), QtFilter(dialog)));
}

std::optional<QString> QtDialogs::AskSaveFile(const FileDialogSpec& dialog) {
  return Chosen(QFileDialog::getSaveFileName(main_window_, QString(), QString(), QtFilter(dialog)));
}

}  // namespace tarvex
