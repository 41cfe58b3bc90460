// The log file a LOG retrieval writes for the records the model holds: the pointer
// line, then each record rendered. Front ends' files are checked against it byte for
// byte.
#pragma once

#include <cstdint>
#include <string>

#include "log/log_record.h"
#include "sim/model/controller_model.h"

namespace tarvex::sim {

// The file of `n` records from index `first` on, after the line "pointer = P".
inline std::string ExpectedLogFile(ControllerModel& model, std::int32_t pointer, std::int32_t first,
                                   std::int32_t n) {
  std::string file = "pointer = " + std::to_string(pointer) + "\r\n";
  LogRenderState state;
  for (std::int32_t i = 0; i < n; ++i) {
    file += RenderLogRecord(model.event_log().At(static_cast<std::uint16_t>(first + i)), state).file_bytes;
  }
  return file;
}

}  // namespace tarvex::sim
