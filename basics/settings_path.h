// Where the settings file "log.log" lives. A build or an unzipped folder that can be
// written keeps it beside the executable, as the tool always has. An installed tool
// (under /usr or /opt; under Program Files on Windows) never writes there, whoever
// runs it: a file that root or an elevated installer left there would bar every
// other user from saving, and with it from closing the window. Its settings are the
// user's own, $XDG_CONFIG_HOME/tarvex/log.log, else ~/.config/tarvex/log.log (POSIX),
// %APPDATA%\tarvex\log.log (Windows), with a log.log beside the executable read as
// defaults. A log.log beside the executable that cannot be written sends the writes to
// the user's folder too. The folder is made when the file is first written
// (WriteProfileString).
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace tarvex {

struct SettingsFiles {
  // Read first, and written when the window closes.
  std::filesystem::path file;
  // Read for the keys `file` lacks: the log.log beside the executable (`file` itself
  // when the settings live there).
  std::filesystem::path defaults;

  bool operator==(const SettingsFiles&) const = default;
};

// What the system says about the places that decide.
struct SettingsPlaces {
  // Where a user's settings go, when the environment names one.
  std::optional<std::filesystem::path> user_folder;
  // Folders whose executables are installed ones.
  std::vector<std::filesystem::path> installed_roots;
};

SettingsPlaces SystemSettingsPlaces();

SettingsFiles SettingsFilesFor(const std::filesystem::path& executable_folder,
                               const SettingsPlaces& places = SystemSettingsPlaces());

}  // namespace tarvex
