// An output file of the command line (log and archive --file, config read --output,
// script get's FILE), written so that a failed night never spoils the last good file:
// the command writes into PATH.partial beside it, which takes the place of PATH only
// when the command succeeded. A failed or interrupted run leaves PATH as it was and
// keeps what was read so far in PATH.partial. A device or a pipe (an existing file
// that is neither a regular file nor a folder) is written directly.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace tarvex::cli {

class OutputTarget {
 public:
  // Creates the file the command writes, so that one that cannot be written fails
  // before the first request. Throws CliError(kFileFailed) naming it and the reason.
  explicit OutputTarget(std::filesystem::path target);

  // Where the command writes: PATH.partial, or PATH itself for a device.
  const std::filesystem::path& working() const { return working_; }

  // Writes `bytes` as the whole working file. Throws CliError(kFileFailed).
  void Write(std::span<const std::uint8_t> bytes);
  // The command succeeded: the working file takes the target's place. Throws
  // CliError(kFileFailed) when it cannot.
  void Commit();
  // The command failed: the partial file when it keeps anything; an empty one is
  // removed. Nothing for a file written directly.
  std::optional<std::filesystem::path> Abandon();

 private:
  std::filesystem::path target_;
  std::filesystem::path working_;
};

}  // namespace tarvex::cli
