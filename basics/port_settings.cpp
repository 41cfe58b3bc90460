#include "basics/port_settings.h"

#include "basics/ini_file.h"

namespace tarvex {

PortSettings ReadPortSettings(const std::filesystem::path& file) {
  const PortSettings defaults;
  return {.port = ReadProfileString(file, kSettingsSection, kPortKey, defaults.port),
          .baud = ReadProfileString(file, kSettingsSection, kBaudKey, defaults.baud)};
}

}  // namespace tarvex
