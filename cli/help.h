// The texts of --help, made from the command table.
#pragma once

#include <span>
#include <string>

#include "basics/settings_path.h"
#include "cli/command_line.h"

namespace tarvex::cli {

// The general help, a group's ("config --help") or a command's, for what `invocation`
// names; `settings` is where the port and baud defaults come from.
std::string HelpText(const Invocation& invocation, std::span<const Command> commands,
                     const SettingsFiles& settings);

}  // namespace tarvex::cli
