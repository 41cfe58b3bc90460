// One-shot service commands: the reboot text, registration, identifier and pressure.
#pragma once

#include <cstdint>
#include <string>

#include "link/link.h"

namespace tarvex {

inline constexpr std::uint8_t kIdentCode = 44;
inline constexpr std::uint8_t kPressureCode = 45;
inline constexpr std::uint8_t kRegistrationCode = 93;
// Written as it is: no lead bytes, length or checksum.
inline constexpr char kRebootText[] = "{\"CRESET\":222}";

// Writes the 14 bytes of kRebootText from a scratch buffer of its own (TransferFrame
// is left alone) and reads a reply into it. Nothing tells a reboot from silence, so
// there is no result.
void SendRebootText(Link& link);

// True when any reply came.
bool Register(Link& link);

// The identifier; 0 on failure. Only a value above 0 counts as read.
std::int32_t ReadIdent(Link& link);
bool IsIdentRead(std::int32_t identifier);

// The pressure; 0.0 on failure. Only a value above 0.0 counts as read (not NaN).
float ReadPressure(Link& link);
bool IsPressureRead(float pressure);

// The text of Edi for a pressure: four blanks, then "%5.2f" of the value (C locale)
// when it counts as read.
std::string PressureText(float pressure);

}  // namespace tarvex
