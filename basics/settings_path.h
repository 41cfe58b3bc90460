// Where the settings file lives. "log.log" beside the executable, as the tool has
// always kept it; but an installed program sits in a folder its user cannot write,
// where closing the window could not save the settings. So when that folder cannot be
// written and holds no log.log, the file is the user's own:
//   $XDG_CONFIG_HOME/tarvex/log.log, else ~/.config/tarvex/log.log (POSIX);
//   %APPDATA%\tarvex\log.log (Windows).
// Its folder is made when the file is first written (WriteProfileString).
#pragma once

#include <filesystem>

namespace tarvex {

std::filesystem::path SettingsPath(const std::filesystem::path& executable_folder);

}  // namespace tarvex
