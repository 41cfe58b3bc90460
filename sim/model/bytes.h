// A run of bytes on the line or in the controller's memory.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvex::sim {

using Bytes = std::vector<std::uint8_t>;

}  // namespace tarvex::sim
