#include "app/app_title.h"

#include <QFileInfo>

namespace tarvex {

QString ApplicationTitle(const QString& executable_path) {
  const QString name = QFileInfo(executable_path).completeBaseName();
  if (name.isEmpty()) return name;
  return name.left(1).toUpper() + name.mid(1).toLower();
}

}  // namespace tarvex
