// The file that a command's FILE operand names, whose bytes go to the controller
// unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "cli/command_line.h"

namespace tarvex::cli {

// The file's bytes. Throws CliError(kUsage) when it cannot be read, is empty, or holds
// more than `room` bytes (then naming `what` has room for, "a script").
std::string ReadOperandFile(const Invocation& invocation, std::size_t room, std::string_view what);

std::span<const std::uint8_t> AsBytes(std::string_view bytes);

}  // namespace tarvex::cli
