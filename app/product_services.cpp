#include "app/product_services.h"

#include <cstdio>
#include <cstdlib>

#include "basics/settings_path.h"

namespace tarvex {

TForm1::Services ProductServices(View& view, Dialogs& dialogs, const std::filesystem::path& executable,
                                 char decimal_separator) {
  return {
      .view = view,
      .dialogs = dialogs,
      .clock = RealClock(),
      .settings = SettingsFilesFor(executable.parent_path()),
      // At once, like the end of the process that the closing main window asks for:
      // no further clean-up; the system releases the port.
      .exit_process =
          [](int code) {
            std::fflush(nullptr);
            std::_Exit(code);
          },
      .decimal_separator = decimal_separator,
  };
}

}  // namespace tarvex
