#include "sim/model/cp1251.h"

#include "basics/cp1251_table.h"

namespace tarvex::sim {

std::vector<std::uint8_t> Utf8ToCp1251(std::string_view utf8) {
  std::vector<std::uint8_t> out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t extra = 0;
    char32_t c = lead;
    if (lead >= 0xF0) {
      extra = 3;
      c = lead & 0x07;
    } else if (lead >= 0xE0) {
      extra = 2;
      c = lead & 0x0F;
    } else if (lead >= 0xC0) {
      extra = 1;
      c = lead & 0x1F;
    } else if (lead >= 0x80) {
      c = 0xFFFD;  // a stray continuation byte
    }
    ++i;
    for (std::size_t k = 0; k < extra && i < utf8.size(); ++k, ++i) {
      c = (c << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    }
    out.push_back(UnicodeToCp1251(c));
  }
  return out;
}

}  // namespace tarvex::sim
