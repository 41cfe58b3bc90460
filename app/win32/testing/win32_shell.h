// The window logic on the Win32 renderer, for the tests under wine: clicks as the user
// makes them, and the COM ports scripts/test-windows puts simulators on.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/testing/shell.h"
#include "app/win32/win32_view.h"

namespace tarvex {

// Clicks a control of a window drawn by the Win32 renderer, as the user does.
inline void ClickOn(Win32View& view, Control control) { SendMessageW(view.WidgetOf(control), BM_CLICK, 0, 0); }

namespace testing {

using Win32Shell = BasicShell<Win32View>;

// The COM port number the variable names; empty when it is unset.
inline std::string ComFromEnv(const char* variable) {
  const char* text = std::getenv(variable);
  return text != nullptr && *text != '\0' ? std::string(text) : std::string();
}

}  // namespace testing
}  // namespace tarvex
