// The window logic's code page 1251 texts as the Qt widgets show them.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "basics/cp1251_text.h"

namespace tarvex {

inline QString FromCp1251(std::string_view bytes) { return QString::fromStdU16String(Utf16FromCp1251(bytes)); }

// A character without a code in the page becomes '?'.
inline std::string ToCp1251(const QString& text) { return Cp1251FromUtf16(text.toStdU16String()); }

}  // namespace tarvex
