// UTF-8 to Windows code page 1251, for the simulator's built-in Russian texts.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvex::sim {

// A character without a code in the page becomes '?'.
std::vector<std::uint8_t> Utf8ToCp1251(std::string_view utf8);

}  // namespace tarvex::sim
