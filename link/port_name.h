// The port name built from the text of the port box ("\\.\COM" + text), and its
// POSIX device path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr const char* kComPrefix = "\\\\.\\COM";

// "\\.\COM" + the text; a text of "COM" (any case) and digits counts as its digits, so
// that "7" and "COM7" name the same port. A network address ("tcp://HOST:PORT") stays
// as it is.
std::string PortNameFromText(std::string_view text);

// The name as users write it: "\\.\COM7" is "COM7".
std::string_view ShortPortName(std::string_view name);

// Digits n -> /dev/ttyS(n-1); text starting with "/" -> that path; other text ->
// /dev/<text>. Empty text, or COM0, names no device.
std::optional<std::string> ResolvePortName(const std::string& name);

}  // namespace tarvex
