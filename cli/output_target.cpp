#include "cli/output_target.h"

#include <string>

#include "basics/output_file.h"
#include "cli/exit_status.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvex::cli {
namespace {

[[noreturn]] void CannotWrite(const std::filesystem::path& path, const std::string& reason) {
  throw CliError(kFileFailed, "cannot write " + path.string() + ": " + reason);
}

// Puts `from` in the place of `to`, replacing it; the system's reason when it cannot.
std::error_code Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  // A plain rename refuses a target that exists.
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
  return std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return error;
#endif
}

}  // namespace

OutputTarget::OutputTarget(std::filesystem::path target) : target_(std::move(target)) {
  std::error_code error;
  const auto status = std::filesystem::status(target_, error);
  if (std::filesystem::is_directory(status)) CannotWrite(target_, "it is a folder");
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    // Opened only when written: a pipe would wait here for its reader.
    working_ = target_;
    return;
  }
  working_ = target_;
  working_ += ".partial";
  OutputFile file(working_);
  if (!file.Close()) CannotWrite(working_, file.failure());
}

void OutputTarget::Write(std::span<const std::uint8_t> bytes) {
  OutputFile file(working_);
  if (!file.Write({reinterpret_cast<const char*>(bytes.data()), bytes.size()}) || !file.Close()) {
    CannotWrite(working_, file.failure());
  }
}

void OutputTarget::Commit() {
  if (working_ == target_) return;
  if (const std::error_code error = Replace(working_, target_)) {
    throw CliError(kFileFailed, "cannot put " + working_.string() + " in the place of " + target_.string() + ": " +
                                    ReasonText(error));
  }
}

std::optional<std::filesystem::path> OutputTarget::Abandon() {
  if (working_ == target_) return std::nullopt;
  std::error_code error;
  if (std::filesystem::file_size(working_, error) > 0 && !error) return working_;
  std::filesystem::remove(working_, error);
  return std::nullopt;
}

}  // namespace tarvex::cli
