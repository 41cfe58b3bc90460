// What the words of a command line ask for: the port and baud, the command, its
// options and operands. Words the table does not allow are usage errors.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_table.h"

namespace tarvex::cli {

struct Invocation {
  std::optional<std::string> port;
  // Every --port given, in order (find and ports take several).
  std::vector<std::string> ports;
  std::optional<std::string> baud;
  const Command* command = nullptr;
  // The first word of two-word commands ("config") given without its second word.
  std::string group;
  bool help = false;
  bool version = false;
  // By option name; flags have an empty value.
  std::map<std::string, std::string, std::less<>> options;
  std::vector<std::string> operands;

  bool Has(std::string_view option) const { return options.contains(option); }
  std::optional<std::string> Value(std::string_view option) const;
};

// The integer `text` stands for. Throws CliError(kUsage) that names where the text
// came from (`source`: "--baud", "--last", ...) when it is no integer.
std::int32_t IntegerValue(const std::string& source, std::string_view text);

// Global options (--port, --baud, --help, --version) may stand anywhere; "--name=value" and
// "--name value" are the same. Throws CliError(kUsage) with what is wrong.
Invocation ParseCommandLine(std::span<const std::string> words,
                            std::span<const Command> commands);

}  // namespace tarvex::cli
