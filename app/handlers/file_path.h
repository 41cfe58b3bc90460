// A file name from a dialog or a control as the path the core opens (wide on Windows).
#pragma once

#include <QString>
#include <filesystem>

namespace tarvex {

inline std::filesystem::path ToPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace tarvex
