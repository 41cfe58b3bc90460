#include "cli/log_append.h"

#include <filesystem>

#include "basics/file_bytes.h"
#include "cli/session.h"
#include "log/log_commands.h"
#include "log/log_record.h"

namespace tarvex::cli {

std::optional<LogAppend> LogAppend::Read(const Session& session) {
  const Invocation& invocation = session.invocation();
  const auto path = invocation.Value("--append");
  if (!path) return std::nullopt;
  for (const char* other : {"--file", "--index", "--format"}) {
    if (invocation.Has(other)) throw CliError(kUsage, std::string("--append and ") + other + " exclude each other");
  }
  std::error_code error;
  if (!std::filesystem::exists(*path, error)) return std::nullopt;
  auto bytes = ReadFileBytes(*path);
  if (!bytes) throw CliError(kUsage, "cannot read " + *path);
  if (bytes->empty()) return std::nullopt;
  const auto end = FindLogFileEnd(*bytes);
  if (!end) throw CliError(kUsage, *path + " holds no line \"pointer = P\": it is no log file to add to");
  return LogAppend(std::move(*bytes), *end);
}

CountBoxes LogAppend::Plan(Session& session, std::int32_t count, std::int32_t pointer) {
  pointer_ = pointer;
  Link& link = session.link();
  plan_ = PlanLogAppend(end_, count, pointer, [&](std::int32_t index) {
    const std::int32_t length = ReadLogRecord(link, index);
    if (length <= 0) session.Fail({"record", index, link.LastFailure()});
    LogRenderState state;
    return bytes_.ends_with(
        RenderLogRecord({link.TransferFrame.data(), static_cast<std::size_t>(length)}, state).file_bytes);
  });
  return {.beg = std::to_string(plan_.records)};
}

std::string LogAppend::FileStart() const {
  if (plan_.section == LogSection::kFollowing && plan_.records == 0) return bytes_;
  return bytes_ + LogSectionLine(plan_.section, pointer_);
}

}  // namespace tarvex::cli
