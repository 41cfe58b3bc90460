#include "cli/command_line.h"

#include <algorithm>

#include "cli/exit_status.h"
#include "cli/terminal.h"
#include "basics/conversion_error.h"
#include "basics/str_to_int.h"

namespace tarvex::cli {
namespace {

const std::vector<Option> kGlobalOptions = {
    {"--port", "PORT", ""}, {"--baud", "BAUD", ""}, {"--help", "", ""}, {"--version", "", ""}};

[[noreturn]] void Usage(const std::string& message) { throw CliError(kUsage, message); }

std::string_view FirstWord(std::string_view name) { return name.substr(0, name.find(' ')); }

const Option* FindOption(std::span<const Option> options, std::string_view name) {
  const auto found = std::ranges::find(options, name, &Option::name);
  return found == options.end() ? nullptr : &*found;
}

// Takes the command's words from `at` on into the invocation; advances `at` past them.
void TakeCommand(std::span<const std::string> words, std::size_t& at,
                 std::span<const Command> commands, Invocation& invocation) {
  const std::string& first = words[at++];
  bool known = false;
  for (const Command& command : commands) {
    if (command.name == first) {
      invocation.command = &command;
      return;
    }
    if (FirstWord(command.name) != first) continue;
    known = true;
    if (at < words.size() && command.name.substr(first.size() + 1) == words[at]) {
      ++at;
      invocation.command = &command;
      return;
    }
  }
  if (!known) Usage("unknown command '" + first + "' (tarvex-cli --help lists the commands)");
  if (at < words.size() && !words[at].starts_with("-")) {
    Usage(first + ": unknown command '" + words[at] + "' (tarvex-cli " + first + " --help lists them)");
  }
  invocation.group = first;
}

}  // namespace

std::int32_t IntegerValue(const std::string& source, std::string_view text) {
  try {
    return StrToInt(text);
  } catch (const ConversionError& error) {
    throw CliError(kUsage, source + ": " + TerminalFromCp1251(error.what()));
  }
}

std::optional<std::string> Invocation::Value(std::string_view option) const {
  const auto found = options.find(option);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

Invocation ParseCommandLine(std::span<const std::string> words,
                            std::span<const Command> commands) {
  Invocation invocation;
  std::size_t at = 0;
  while (at < words.size()) {
    const std::string& word = words[at];
    if (!word.starts_with("-")) {
      if (invocation.command == nullptr && invocation.group.empty()) {
        TakeCommand(words, at, commands, invocation);
      } else {
        invocation.operands.push_back(word);
        ++at;
      }
      continue;
    }
    ++at;
    const std::size_t equals = word.find('=');
    const std::string name = word == "-h" ? "--help" : word.substr(0, equals);
    const Option* option = FindOption(kGlobalOptions, name);
    if (option == nullptr && invocation.command != nullptr) option = FindOption(invocation.command->options, name);
    if (option == nullptr) {
      Usage((invocation.command != nullptr ? std::string(invocation.command->name) + ": " : "") +
            "unknown option " + name);
    }
    std::string value;
    if (option->value.empty()) {
      if (equals != std::string::npos) Usage(name + " takes no value");
    } else if (equals != std::string::npos) {
      value = word.substr(equals + 1);
    } else if (at < words.size()) {
      value = words[at++];
    } else {
      Usage(name + " needs a value " + std::string(option->value));
    }
    if (name == "--port") {
      invocation.port = value;
      invocation.ports.push_back(value);
    } else if (name == "--baud") {
      invocation.baud = value;
    } else if (name == "--help") {
      invocation.help = true;
    } else if (name == "--version") {
      invocation.version = true;
    } else {
      invocation.options[name] = value;
    }
  }
  if (invocation.help || invocation.version) return invocation;
  if (!invocation.group.empty()) {
    Usage(invocation.group + " needs a command word (tarvex-cli " + invocation.group + " --help lists them)");
  }
  if (invocation.command == nullptr) Usage("no command given (tarvex-cli --help lists the commands)");
  const std::size_t wanted = invocation.command->operands.empty() ? 0 : 1;
  if (invocation.operands.size() > wanted) {
    Usage(std::string(invocation.command->name) + ": unexpected '" + invocation.operands[wanted] + "'");
  }
  if (invocation.operands.size() < wanted) {
    Usage(std::string(invocation.command->name) + " needs " + std::string(invocation.command->operands));
  }
  return invocation;
}

}  // namespace tarvex::cli
