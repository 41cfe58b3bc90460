// tarvex-cli under wine against the simulators that scripts/test-windows puts on
// COM ports: the executable itself for a value, a run in this process (its waits
// sped up) for a silent controller.
#include <gtest/gtest.h>

#include <cstdlib>

#include "basics/file_bytes.h"
#include "cli/cli_run_testing.h"
#include "cli/executable_folder.h"
#include "testing/fast_clock.h"

namespace tarvex::cli {
namespace {

// "COM" + the variable's text; empty when it is unset.
std::string ComFromEnv(const char* variable) {
  const char* text = std::getenv(variable);
  return text != nullptr && *text != '\0' ? "COM" + std::string(text) : std::string();
}

TEST(Win32Cli, TheExecutablePrintsAValueReadOverACom) {
  const std::string com = ComFromEnv("TARVEX_TEST_SIM_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_SIM_COM names no simulator port";
  const auto output = std::filesystem::temp_directory_path() / "tarvex-cli-ident.txt";
  const std::string command = (ExecutableFolder() / "tarvex-cli.exe").string() + " --port " + com +
                              " ident > " + output.string();
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  EXPECT_EQ(ReadFileBytes(output), "20417\n");
  std::filesystem::remove(output);
}

TEST(Win32Cli, ASilentControllerEndsWithStatus1AndTheStep) {
  const std::string com = ComFromEnv("TARVEX_TEST_SILENT_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_SILENT_COM names no silent simulator port";
  tarvex::testing::FastClock clock(100);
  const auto result = testing::RunCli({"--port", com, "ident"}, clock);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tarvex-cli: no reply to the ident query\n");
}

}  // namespace
}  // namespace tarvex::cli
