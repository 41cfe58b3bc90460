#include "cli/help.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex::cli {
namespace {

constexpr std::string_view kUsageHead = "Usage: tarvex-cli [--port PORT] [--baud BAUD] ";

#ifdef _WIN32
constexpr std::string_view kPortHelp =
    "  --port PORT   the COM port: 7 and COM7 both name the seventh\n";
#else
constexpr std::string_view kPortHelp =
    "  --port PORT   the port: a number n (n = 1 is /dev/ttyS0; COMn is the same), a\n"
    "                device path such as /dev/ttyUSB0, or a name under /dev (ttyUSB0)\n";
#endif

// Rows of "  name  text", the texts in one column.
std::string Table(const std::vector<std::pair<std::string, std::string_view>>& rows) {
  std::size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::string table;
  for (const auto& [name, text] : rows) {
    table += "  " + name + std::string(width - name.size() + 2, ' ') + std::string(text) + "\n";
  }
  return table;
}

std::string CommandList(std::span<const Command> commands, std::string_view group) {
  std::vector<std::pair<std::string, std::string_view>> rows;
  for (const Command& command : commands) {
    if (!group.empty() && !command.name.starts_with(std::string(group) + " ")) continue;
    rows.emplace_back(command.name, command.summary);
  }
  return Table(rows);
}

std::string Synopsis(const Command& command) {
  std::string line = std::string(command.name);
  for (const Option& option : command.options) {
    line += " [" + std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value)) + "]";
  }
  if (!command.operands.empty()) line += " " + std::string(command.operands);
  return line;
}

std::string CommandHelp(const Command& command) {
  std::string text = std::string(kUsageHead) + Synopsis(command) + "\n\n" + std::string(command.help) + "\n";
  if (command.options.empty()) return text;
  std::vector<std::pair<std::string, std::string_view>> rows;
  for (const Option& option : command.options) {
    rows.emplace_back(std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value)),
                      option.help);
  }
  return text + "\nOptions:\n" + Table(rows);
}

}  // namespace

std::string HelpText(const Invocation& invocation, std::span<const Command> commands,
                     const SettingsFiles& settings) {
  if (invocation.command != nullptr) return CommandHelp(*invocation.command);
  if (!invocation.group.empty()) {
    return std::string(kUsageHead) + invocation.group + " COMMAND [OPTIONS]\n\nCommands:\n" +
           CommandList(commands, invocation.group);
  }
  return std::string(kUsageHead) +
         "COMMAND [OPTIONS]\n"
         "\n"
         "Runs one operation on the controller at the serial port, then ends.\n"
         "\n"
         "Commands:\n" +
         CommandList(commands, "") +
         "\n"
         "Options:\n" +
         std::string(kPortHelp) +
         "                or a serial server: tcp://HOST:PORT (raw TCP) or\n"
         "                rfc2217://HOST:PORT (the baud rate set through the server)\n"
         "  --baud BAUD   the baud rate\n"
         "  --version     print the version and end\n"
         "PORT and BAUD default to the window's settings (7 and 38400 when it has none):\n"
         "  " + settings.file.string() + "\n" +
         (settings.defaults == settings.file ? "" : "  then " + settings.defaults.string() + "\n") +
         "tarvex-cli COMMAND --help shows a command's options.\n"
         "\n"
         "An output file (--file, --output, the FILE of script get) is written as\n"
         "FILE.partial and takes the place of FILE only when the command succeeded: a\n"
         "failed or interrupted run leaves FILE as it was and keeps what was read so far\n"
         "in FILE.partial.\n"
         "\n"
         "Exit status: 0 done, 1 the controller failed, 2 usage, 3 the port cannot be\n"
         "opened, 4 the output file could not be written, 130 interrupted (Ctrl+C ends\n"
         "any command at once; respond ends by it with 0).\n";
}

}  // namespace tarvex::cli
