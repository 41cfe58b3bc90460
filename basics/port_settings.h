// The texts of the port box and the baud box as the settings file keeps them, read by
// the window when it starts and by the command line; the window writes them back
// when it closes.
#pragma once

#include <filesystem>
#include <string>

namespace tarvex {

inline constexpr const char* kSettingsSection = "log";
inline constexpr const char* kPortKey = "port";
inline constexpr const char* kBaudKey = "baud";

struct PortSettings {
  std::string port = "7";
  std::string baud = "38400";
};

// The texts in `file` (code page 1251 bytes as written); a missing key or file gives
// the default.
PortSettings ReadPortSettings(const std::filesystem::path& file);

}  // namespace tarvex
