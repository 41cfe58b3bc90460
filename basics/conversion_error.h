// The conversion errors that end a handler and are shown in the error box.
#pragma once

#include <stdexcept>

namespace tarvex {

// what() carries the message exactly as the user sees it (code page 1251 bytes).
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kTimeEncodeError = "Invalid argument to time encode";
inline constexpr const char* kDateEncodeError = "Invalid argument to date encode";

}  // namespace tarvex
