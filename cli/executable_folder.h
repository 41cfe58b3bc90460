// The folder of the running executable, where the settings file may live.
#pragma once

#include <filesystem>

namespace tarvex::cli {

// The current folder when the system cannot tell.
std::filesystem::path ExecutableFolder();

}  // namespace tarvex::cli
