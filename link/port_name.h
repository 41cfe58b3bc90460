// Maps the window's port name ("\\.\COM" + text) to a POSIX device path.
#pragma once

#include <optional>
#include <string>

namespace tarvex {

inline constexpr const char* kComPrefix = "\\\\.\\COM";

// Digits n -> /dev/ttyS(n-1); text starting with "/" -> that path; other text ->
// /dev/<text>. Empty text, or COM0, names no device.
std::optional<std::string> ResolvePortName(const std::string& name);

}  // namespace tarvex
