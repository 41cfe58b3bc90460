#include "app/dialogs.h"

#include <QFileInfo>

namespace tarvex {

QString WithDefaultExtension(const QString& path, const QString& default_extension) {
  if (default_extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
  return path + "." + default_extension;
}

std::optional<QString> Dialogs::OpenFile(const FileDialogSpec& spec) {
  const auto name = AskOpenFile(spec);
  if (!name) return std::nullopt;
  return WithDefaultExtension(*name, spec.default_extension);
}

std::optional<QString> Dialogs::SaveFile(const FileDialogSpec& spec) {
  const auto name = AskSaveFile(spec);
  if (!name) return std::nullopt;
  return WithDefaultExtension(*name, spec.default_extension);
}

}  // namespace tarvex
