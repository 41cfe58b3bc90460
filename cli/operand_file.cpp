#include "cli/operand_file.h"

#include "basics/file_bytes.h"
#include "cli/exit_status.h"

namespace tarvex::cli {

std::string ReadOperandFile(const Invocation& invocation, std::size_t room, std::string_view what) {
  const std::string& path = invocation.operands.front();
  auto bytes = ReadFileBytes(path);
  if (!bytes) throw CliError(kUsage, "cannot read " + path);
  if (bytes->empty()) throw CliError(kUsage, path + " is empty");
  if (bytes->size() > room) {
    throw CliError(kUsage, path + " holds " + std::to_string(bytes->size()) + " bytes; " + std::string(what) +
                               " has room for " + std::to_string(room));
  }
  return std::move(*bytes);
}

std::span<const std::uint8_t> AsBytes(std::string_view bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

}  // namespace tarvex::cli
