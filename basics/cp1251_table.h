// The controller's texts are in Windows code page 1251.
#pragma once

#include <cstdint>

namespace tarvex {

// The character of a byte. 0x98, which the page leaves empty, keeps its own code
// point, so every byte survives a round trip.
char16_t Cp1251ToUnicode(std::uint8_t byte);

// The byte of a character; '?' when the page has none.
std::uint8_t UnicodeToCp1251(char32_t c);

}  // namespace tarvex
