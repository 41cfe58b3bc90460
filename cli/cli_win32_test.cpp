// tarvex-cli under wine against the simulators that scripts/test-windows puts on
// COM ports: the executable itself for a value and a log file, runs in this process
// for a configuration and (its waits sped up) a silent controller.
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

TEST(Win32Cli, TheLogFileIsTheLinuxBuildsByteForByteOverAComAndOverTcp) {
  const std::string com = ComFromEnv("TARVEX_TEST_LOG_COM");
  const char* linux_log = std::getenv("TARVEX_TEST_LINUX_LOG");
  const char* tcp = std::getenv("TARVEX_TEST_TCP_PORT");
  if (com.empty() || linux_log == nullptr || tcp == nullptr) {
    GTEST_SKIP() << "TARVEX_TEST_LOG_COM, TARVEX_TEST_TCP_PORT and TARVEX_TEST_LINUX_LOG name no simulators and "
                    "Linux file";
  }
  const auto expected = ReadFileBytes(linux_log);
  ASSERT_TRUE(expected && expected->starts_with("pointer = 600\r\n")) << linux_log;
  const auto output = std::filesystem::temp_directory_path() / "tarvex-cli-events.log";
  // The simulator on the TCP port runs on Linux, outside wine.
  for (const std::string port : {com, std::string(tcp)}) {
    std::filesystem::remove(output);
    const std::string command = (ExecutableFolder() / "tarvex-cli.exe").string() + " --port " + port +
                                " log --last 500 --file " + output.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(ReadFileBytes(output) == expected) << port;
  }
  std::filesystem::remove(output);
}

TEST(Win32Cli, AConfigurationWrittenAndReadBackIsTheSameFile) {
  const std::string com = ComFromEnv("TARVEX_TEST_SIM_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_SIM_COM names no simulator port";
  const auto folder = std::filesystem::temp_directory_path();
  // Code page 1251 text, CR LF and a lone LF.
  const std::string text = "{\"name\":\"\xCA\xEE\xF2\xB8\xEB\",\r\n\"n\":1}\n";
  WriteFileBytes(folder / "tarvex-cli-in.cfg", {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  auto result = testing::RunCli({"--port", com, "config", "write", (folder / "tarvex-cli-in.cfg").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  result = testing::RunCli({"--port", com, "config", "read", "--output", (folder / "tarvex-cli-out.cfg").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(folder / "tarvex-cli-out.cfg"), text);
  std::filesystem::remove(folder / "tarvex-cli-in.cfg");
  std::filesystem::remove(folder / "tarvex-cli-out.cfg");
}

TEST(Win32Cli, ASilentControllerEndsWithStatus1AndTheStep) {
  const std::string com = ComFromEnv("TARVEX_TEST_SILENT_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_SILENT_COM names no silent simulator port";
  tarvex::testing::FastClock clock(100);
  const auto result = testing::RunCli({"--port", com, "ident"}, clock);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tarvex-cli: no reply to the ident query\n");
}

TEST(Win32Cli, FindNamesTheComPortWhereTheControllerAnswersAndSkipsAnAbsentOne) {
  // Wine opens a COM port that another handle holds (Windows refuses it): no busy port here.
  const std::string sim = ComFromEnv("TARVEX_TEST_SIM_COM");
  const std::string silent = ComFromEnv("TARVEX_TEST_SILENT_COM");
  if (sim.empty() || silent.empty()) GTEST_SKIP() << "TARVEX_TEST_SIM_COM and TARVEX_TEST_SILENT_COM name no ports";
  tarvex::testing::FastClock clock(2);
  const auto result =
      testing::RunCli({"find", "--baud", "9600,38400", "--port", silent, "--port", sim, "--port", "COM99"}, clock);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, sim + " 9600: controller 20417\n");
  EXPECT_EQ(result.err, "tarvex-cli: skipped COM99: no such port\n");
}

}  // namespace
}  // namespace tarvex::cli
