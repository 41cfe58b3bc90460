#include "service/service_commands.h"

#include <algorithm>

#include "basics/fixed_format.h"
#include "link/frame.h"

namespace tarvex {
namespace {

// Builds the command in TransferFrame and sets FrameLength.
std::size_t BuildCommand(Link& link, std::uint8_t code) {
  const std::size_t n = BuildCommandRequest(link.TransferFrame, code);
  link.FrameLength = static_cast<std::int32_t>(n);
  return n;
}

}  // namespace

void SendRebootText(Link& link) {
  TransferBuffer scratch{};
  const std::size_t n = sizeof kRebootText - 1;
  std::copy_n(kRebootText, n, scratch.begin());
  link.ExchangeData(scratch, n);
}

bool Register(Link& link) { return link.ExchangeAckCommand(kRegistrationCode); }

std::int32_t ReadIdent(Link& link) {
  return link.ExchangeInt32(link.TransferFrame, BuildCommand(link, kIdentCode));
}

bool IsIdentRead(std::int32_t identifier) { return identifier > 0; }

float ReadPressure(Link& link) {
  return link.ExchangeFloat(link.TransferFrame, BuildCommand(link, kPressureCode));
}

bool IsPressureRead(float pressure) { return pressure > 0.0f; }

std::string PressureText(float pressure) {
  const std::string blanks = "    ";
  return IsPressureRead(pressure) ? blanks + FormatFixed(pressure, 5, 2) : blanks;
}

}  // namespace tarvex
