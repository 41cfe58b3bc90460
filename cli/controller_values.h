// The identifier and the pressure as tarvex-cli prints them, read from the controller.
#pragma once

#include <string>

namespace tarvex::cli {

class Session;

// "4711". Ends the command (kControllerFailed) when no identifier above 0 is read.
std::string ReadIdentText(Session& session);
// "5.37". Ends the command (kControllerFailed) when no pressure above 0 is read.
std::string ReadPressureText(Session& session);

}  // namespace tarvex::cli
