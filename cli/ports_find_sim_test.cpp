// tarvex-cli ports and find against simulated controllers on pseudo-terminals: one
// at the settings' rate, one that answers only at another rate, one silent, one held
// by another program, one absent.
#include <gtest/gtest.h>

#include <memory>

#include "basics/port_settings.h"
#include "cli/cli_run_testing.h"
#include "link/link.h"
#include "sim/model/fault.h"
#include "sim/pty/pty_server.h"
#include "testing/fast_clock.h"
#include "testing/scratch_folder.h"

namespace tarvex::cli {
namespace {

using testing::RunCli;

class FindAgainstSims : public ::testing::Test {
 protected:
  FindAgainstSims() {
    Sim("at38400", 1500, 38400);
    Sim("at19200", 1501, 19200);
    Sim("silent", 1502, 0).WithModel([](sim::ControllerModel& model) { model.AddFault(sim::ParseFault("long:44:silence")); });
    Sim("busy", 1503, 0);
    EXPECT_TRUE(holder_.Open(Path("busy"), 38400));
  }
  ~FindAgainstSims() override {
    for (auto& server : servers_) server->Stop();
  }

  sim::PtyServer& Sim(const std::string& name, std::int32_t identifier, std::int32_t strict_baud) {
    auto& model = *models_.emplace_back(std::make_unique<sim::ControllerModel>());
    model.set_identifier(identifier);
    auto& server = *servers_.emplace_back(std::make_unique<sim::PtyServer>(
        model, sim::PtyOptions{.link_path = Path(name), .baud = strict_baud, .strict_baud = strict_baud > 0}));
    server.Start();
    return server;
  }
  std::string Path(const std::string& name) const { return (folder_.path() / name).string(); }

  tarvex::testing::ScratchFolder folder_{"cli-find"};
  // The search's first-byte waits pass twice as fast: a simulator on a loaded machine
  // still starts its reply within the 250 ms left. The lines move in real time.
  tarvex::testing::FastClock clock_{2};
  std::vector<std::unique_ptr<sim::ControllerModel>> models_;
  std::vector<std::unique_ptr<sim::PtyServer>> servers_;
  LinkHooks holder_hooks_;
  Link holder_{holder_hooks_, RealClock()};
};

TEST_F(FindAgainstSims, PortsTellsWhetherEachNamedPortCanBeOpened) {
  const auto result = RunCli({"ports", "--port", Path("at38400"), "--port", Path("busy"), "--port", Path("absent")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, Path("at38400") + ": pseudo-terminal; can be opened\n" + Path("busy") +
                            ": pseudo-terminal; cannot be opened: device or resource busy — is another program using it?\n" +
                            Path("absent") + ": not in the system's list of serial ports; cannot be opened: no such file or directory\n");
}

TEST_F(FindAgainstSims, PrintsEachPortAndRateWhereAControllerAnswersAndSkipsThoseThatCannotBeOpened) {
  const auto result = RunCli({"find", "--port", Path("at38400"), "--port", Path("at19200"), "--port", Path("busy"),
                              "--port", Path("absent")},
                             clock_);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, Path("at38400") + " 38400: controller 1500\n" + Path("at19200") + " 19200: controller 1501\n");
  EXPECT_EQ(result.err, "tarvex-cli: skipped " + Path("busy") + ": device or resource busy — is another program using it?\n"
                        "tarvex-cli: skipped " + Path("absent") + ": no such file or directory\n");
}

TEST_F(FindAgainstSims, SavesWhatItFoundEndsWith1WhenNothingAnswersAndAtOnceOnCtrlC) {
  const auto settings = folder_.path() / "log.log";
  auto result =
      RunCli({"find", "--port", Path("at19200"), "--baud", "9600,19200", "--save"}, clock_, {settings, settings});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadPortSettings({settings, settings}).port, Path("at19200"));
  EXPECT_EQ(ReadPortSettings({settings, settings}).baud, "19200");
  // Every command takes the port from there now.
  EXPECT_EQ(RunCli({"ident"}, clock_, {settings, settings}).out, "1501\n");

  // Where nothing answers, nothing is late: the waits may pass faster.
  tarvex::testing::FastClock fast(10);
  const auto start = fast.Now();
  result = RunCli({"find", "--port", Path("silent"), "--baud", "9600,38400"}, fast);
  // Two tries of the search's short first-byte wait, not one of the 13 s.
  EXPECT_LT(fast.Now() - start, Link::kFirstByteWait);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tarvex-cli: no controller answered on 1 port(s) at 2 baud rate(s)\n");

  result = RunCli({"find", "--port", Path("at38400")}, fast, testing::kNoSettings, std::atomic<bool>(true));
  EXPECT_EQ(result.status, 130);
  EXPECT_EQ(result.out, "");
}

}  // namespace
}  // namespace tarvex::cli
