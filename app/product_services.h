// What the window needs from outside when it is the tool itself (not a test): the
// real clocks, the settings file for the executable's folder, and an exit that ends
// the process at once.
#pragma once

#include <filesystem>

#include "app/tform1.h"

namespace tarvex {

TForm1::Services ProductServices(View& view, Dialogs& dialogs, const std::filesystem::path& executable,
                                 char decimal_separator);

}  // namespace tarvex
