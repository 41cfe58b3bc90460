// The application title that captions message boxes.
#pragma once

#include <QString>

namespace tarvex {

// The executable's file name without its extension, first letter upper case and
// the rest lower case: ".../TARVEX.EXE" -> "Tarvex".
QString ApplicationTitle(const QString& executable_path);

}  // namespace tarvex
