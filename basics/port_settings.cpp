#include "basics/port_settings.h"

#include "basics/ini_file.h"

namespace tarvex {

std::filesystem::path FileOfKey(const SettingsFiles& files, const char* key) {
  return ReadProfileKey(files.file, kSettingsSection, key) ? files.file : files.defaults;
}

PortSettings ReadPortSettings(const SettingsFiles& files) {
  const PortSettings defaults;
  return {.port = ReadProfileString(FileOfKey(files, kPortKey), kSettingsSection, kPortKey, defaults.port),
          .baud = ReadProfileString(FileOfKey(files, kBaudKey), kSettingsSection, kBaudKey, defaults.baud)};
}

}  // namespace tarvex
