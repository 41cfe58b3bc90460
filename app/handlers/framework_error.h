// Errors that end the running handler and are shown in the error box, the way the
// window framework reports a failed conversion or an unwritable settings file.
#pragma once

#include <stdexcept>
#include <string>

namespace tarvex {

class FrameworkError : public std::runtime_error {
 public:
  // `message` in code page 1251, like every text of the core.
  explicit FrameworkError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tarvex
