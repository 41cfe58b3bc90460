// The texts of the port box and the baud box as the settings file keeps them, read by
// the window when it starts and by the command line; the window writes them back
// when it closes.
#pragma once

#include <filesystem>
#include <string>

#include "basics/settings_path.h"

namespace tarvex {

inline constexpr const char* kSettingsSection = "log";
inline constexpr const char* kPortKey = "port";
inline constexpr const char* kBaudKey = "baud";

struct PortSettings {
  std::string port = "7";
  std::string baud = "38400";
};

// The texts in the settings (code page 1251 bytes as written): each key from the file
// that holds it, the user's before the defaults; a key neither holds gives the default.
PortSettings ReadPortSettings(const SettingsFiles& files);

// The file whose value of `key` is read.
std::filesystem::path FileOfKey(const SettingsFiles& files, const char* key);

}  // namespace tarvex
