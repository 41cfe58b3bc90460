#include "cli/controller_values.h"

#include "cli/session.h"
#include "service/service_commands.h"

namespace tarvex::cli {

std::string ReadIdentText(Session& session) {
  const std::int32_t ident = ReadIdent(session.link());
  if (ident <= 0) session.FailStep("ident query", "no identifier above 0 in the reply");
  return std::to_string(ident);
}

std::string ReadPressureText(Session& session) {
  const float pressure = ReadPressure(session.link());
  if (!IsPressureRead(pressure)) session.FailStep("pressure query", "no pressure above 0 in the reply");
  const std::string text = PressureText(pressure);
  return text.substr(text.find_first_not_of(' '));
}

}  // namespace tarvex::cli
