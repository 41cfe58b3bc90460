// The termios speed constant of a baud rate (POSIX), shared by the serial backend and
// the simulator, which checks the rate the tool set on its terminal.
#pragma once

#include <termios.h>

#include <cstdint>

namespace tarvex {

// B0 when the rate has no constant.
speed_t TermiosSpeed(std::int32_t baud);

}  // namespace tarvex
