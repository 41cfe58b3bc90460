#include "app/widgets/cp1251.h"

#include <cstdint>

#include "basics/cp1251_table.h"

namespace tarvex {

QString FromCp1251(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    text.append(QChar(Cp1251ToUnicode(b)));
  }
  return text;
}

std::string ToCp1251(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char out = static_cast<char>(UnicodeToCp1251(text.at(i).unicode()));
    // A character outside the basic plane is one '?', not two.
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
    bytes += out;
  }
  return bytes;
}

}  // namespace tarvex
