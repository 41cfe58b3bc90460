// tarvex-cli: the controller's operations from the command line (cli/run.h).
#include <iostream>

#include "basics/settings_path.h"
#include "cli/executable_folder.h"
#include "cli/run.h"
#include "cli/stop_signal.h"
#include "cli/terminal.h"

int main(int argc, char** argv) {
  using namespace tarvex;
  cli::UseBinaryStandardOutput();
  const cli::Environment environment{
      .out = std::cout,
      .err = std::cerr,
      .in = std::cin,
      .in_is_terminal = cli::IsTerminal(stdin),
      .out_is_terminal = cli::IsTerminal(stdout),
      .err_is_terminal = cli::IsTerminal(stderr),
      .settings = SettingsFilesFor(cli::ExecutableFolder()),
      .clock = RealClock(),
      .wall_clock = SystemWallClock(),
      .stop = cli::InstallStopSignal(),
  };
  return cli::Run(std::vector<std::string>(argv + 1, argv + argc), environment);
}
