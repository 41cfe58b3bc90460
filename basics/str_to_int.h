// Integer value of an edit box's text.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvex {

// An optional sign followed by decimal digits, nothing else, within 32 bits.
// Anything else throws ConversionError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

}  // namespace tarvex
