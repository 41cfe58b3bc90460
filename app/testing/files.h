// Files for the window tests: whole files as bytes, and files offered in a file dialog.
#pragma once

#include <QString>
#include <string>

#include "app/testing/shell.h"
#include "testing/scratch_folder.h"

namespace tarvex::testing {

inline std::string FileBytes(const QString& path) { return FileBytes(std::filesystem::path(path.toStdString())); }

inline void PutFile(const QString& path, const std::string& bytes) {
  PutFile(std::filesystem::path(path.toStdString()), bytes);
}

// Writes `bytes` to `name` in the shell's folder and answers the next file dialog
// with that file; returns its path.
inline QString OfferFile(Shell& shell, const char* name, const std::string& bytes) {
  const QString path = shell.dir.filePath(name);
  PutFile(path, bytes);
  shell.dialogs.file_answers.push_back(path);
  return path;
}

}  // namespace tarvex::testing
