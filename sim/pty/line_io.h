// Writing to and waiting on the controller's end of the line, each wait cut short when
// `wake_fd` becomes readable (POSIX).
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace tarvex::sim {

using LineClock = std::chrono::steady_clock;

// Time on the wire for `bytes` at `baud` (10 bits per byte); 0 when baud is 0.
std::chrono::nanoseconds WireTime(std::size_t bytes, std::int32_t baud);

// Waits until `deadline`; false when `wake_fd` interrupts the wait.
bool WaitUntil(LineClock::time_point deadline, int wake_fd);

// Writes all n bytes to the non-blocking `fd`; false when the line fails, stalls for a
// second or `wake_fd` interrupts.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t n, int wake_fd);

// Writes at `baud` in slices of about a millisecond on the wire, each when its time has
// come; baud 0 writes at once.
bool WritePaced(int fd, const std::uint8_t* data, std::size_t n, std::int32_t baud, int wake_fd);

}  // namespace tarvex::sim
