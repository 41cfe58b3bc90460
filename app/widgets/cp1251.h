// The controller's text is Windows code page 1251; the window shows Unicode.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tarvex {

QString FromCp1251(std::string_view bytes);

// A character without a code in the page becomes '?'.
std::string ToCp1251(const QString& text);

}  // namespace tarvex
