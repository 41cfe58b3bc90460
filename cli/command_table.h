// The commands of tarvex-cli. A command is one entry of the table (command_table.cpp):
// its words, operands, options, help, and the function that runs it with a Session.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "cli/exit_status.h"

namespace tarvex::cli {

class Session;

struct Option {
  std::string_view name;   // "--output"
  std::string_view value;  // "FILE"; empty for a flag
  std::string_view help;
};

struct Command {
  std::string_view name;        // "config read": one or two words
  std::string_view operands{};  // "FILE", or empty for none
  std::string_view summary;     // the line in the list of commands
  std::string_view help;        // the text of COMMAND --help, below its usage line
  std::vector<Option> options{};
  // True when the command polls the stop flag itself and Ctrl+C is its way to end
  // (respond); any other command is ended by it at once, whatever it waits for.
  bool stops_itself = false;
  // True when --port may be given more than once and --baud is a list (find, ports):
  // the command opens the ports itself.
  bool port_lists = false;
  ExitStatus (*run)(Session&) = nullptr;
};

std::span<const Command> Commands();

// Each command's run function, grouped by file.
// run_log.cpp
ExitStatus RunLog(Session& session);
ExitStatus RunLogCount(Session& session);
ExitStatus RunLogPointer(Session& session);
ExitStatus RunLogClear(Session& session);
// run_archive.cpp
ExitStatus RunArchive(Session& session);
ExitStatus RunArchivePointer(Session& session);
// run_config.cpp
ExitStatus RunConfigRead(Session& session);
ExitStatus RunConfigWrite(Session& session);
ExitStatus RunConfigSetTest(Session& session);
ExitStatus RunConfigTest(Session& session);
// run_report.cpp
ExitStatus RunReport(Session& session);
// run_script.cpp
ExitStatus RunScriptSend(Session& session);
ExitStatus RunScriptGet(Session& session);
ExitStatus RunScriptClear(Session& session);
// run_service.cpp
ExitStatus RunReboot(Session& session);
ExitStatus RunRegister(Session& session);
ExitStatus RunIdent(Session& session);
ExitStatus RunPressure(Session& session);
ExitStatus RunRespond(Session& session);
// run_ports.cpp
ExitStatus RunPorts(Session& session);
ExitStatus RunFind(Session& session);

}  // namespace tarvex::cli
