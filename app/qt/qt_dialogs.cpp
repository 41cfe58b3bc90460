#include "app/qt/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/qt/cp1251.h"
#include "app/qt/ok_bottom_dlg.h"

namespace tarvex {
namespace {

void ShowBox(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

QString QtFilter(const FileDialogSetup& dialog) {
  if (dialog.filter_description.empty() && dialog.filter_pattern.empty()) return {};
  return QString::fromStdString(dialog.filter_description + " (" + dialog.filter_pattern + ")");
}

// Qt's own dialog rather than the system's: it gives the default extension only to
// a name typed without one, while to a system dialog's answer Qt adds it to any name
// without an extension, a file picked from the list included.
std::optional<std::filesystem::path> AskFile(QWidget* parent, const FileDialogSetup& setup, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString(), QString(), QtFilter(setup));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  // A typed name that does not exist yet is taken too: the handlers create the file.
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(setup.default_extension));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QString name = dialog.selectedFiles().value(0);
  if (name.isEmpty()) return std::nullopt;
  return std::filesystem::path(name.toStdU16String());
}

}  // namespace

void QtDialogs::Message(std::string_view text) {
  ShowBox(main_window_, title_, FromCp1251(text), QMessageBox::NoIcon);
}

void QtDialogs::Error(std::string_view text) {
  ShowBox(main_window_, title_, FromCp1251(text), QMessageBox::Critical);
}

int QtDialogs::Confirm() {
  if (confirmation_ == nullptr) return kNo;
  return confirmation_->exec() == kYes ? kYes : kNo;
}

std::optional<std::filesystem::path> QtDialogs::OpenFile(const FileDialogSetup& dialog) {
  return AskFile(main_window_, dialog, QFileDialog::AcceptOpen);
}

std::optional<std::filesystem::path> QtDialogs::SaveFile(const FileDialogSetup& dialog) {
  return AskFile(main_window_, dialog, QFileDialog::AcceptSave);
}

}  // namespace tarvex
