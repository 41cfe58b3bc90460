#include "app/dialogs.h"

#include <QFileInfo>

namespace tarvex {

QString WithDefaultExtension(const QString& path, const QString& default_extension) {
  if (default_extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + "." + default_extension;
}

std::optional<QString> Dialogs::OpenFile(const FileDialogSpec& dialog) {
  const auto name = AskOpenFile(dialog);
  if (!name) return std::nullopt;
  return WithDefaultExtension(*name, dialog.default_extension);
}

std::optional<QString> Dialogs::SaveFile(const FileDialogSpec& dialog) {
  const auto name = AskSaveFile(dialog);
  if (!name) return std::nullopt;
  return WithDefaultExtension(*name, dialog.default_extension);
}

}  // namespace tarvex
