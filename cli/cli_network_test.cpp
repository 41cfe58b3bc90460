// tarvex-cli against the simulated controller on a TCP port (127.0.0.1, a free port),
// and behind the latency of a USB serial adapter.
#include <gtest/gtest.h>

#include "basics/file_bytes.h"
#include "cli/cli_run_testing.h"
#include "sim/model/fault.h"
#include "sim/pty/pty_server.h"
#include "testing/fast_clock.h"
#include "testing/log_file.h"
#include "testing/scratch_folder.h"

namespace tarvex::cli {
namespace {

using testing::RunCli;

class CliOverTcp : public ::testing::Test {
 protected:
  CliOverTcp() : model_(sim::ModelOptions{.event_records = 600}), server_(model_, Options()) { server_.Start(); }
  ~CliOverTcp() override { server_.Stop(); }

  static sim::PtyOptions Options() {
    sim::PtyOptions options;
    options.listen = "127.0.0.1:0";
    return options;
  }
  std::vector<std::string> On(std::vector<std::string> words, const std::string& scheme = "tcp://") {
    const std::string address = server_.link_path();
    words.insert(words.begin(), {"--port", scheme + address.substr(address.find("//") + 2)});
    return words;
  }
  void AddFault(const char* fault) {
    server_.WithModel([fault](sim::ControllerModel& model) { model.AddFault(sim::ParseFault(fault)); });
  }

  tarvex::testing::ScratchFolder folder_{"cli-tcp"};
  sim::ControllerModel model_;
  sim::PtyServer server_;
};

TEST_F(CliOverTcp, LogOf500RecordsWritesTheFileOfThePty) {
  const auto file = folder_.path() / "events.log";
  const auto result = RunCli(On({"log", "--last", "500", "--file", file.string()}));
  EXPECT_EQ(result.status, 0) << result.err;
  std::string expected;
  server_.WithModel([&](sim::ControllerModel& model) { expected = sim::ExpectedLogFile(model, 600, 100, 500); });
  EXPECT_TRUE(ReadFileBytes(file) == expected);
}

TEST_F(CliOverTcp, ADroppedConnectionFailsWithTheSystemsReasonAndTheNextCommandConnectsAgain) {
  AddFault("long:26:hangup=0:after=2:count=1");
  auto result = RunCli(On({"log", "--last", "5"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tarvex-cli: record 597: port gone (connection closed by the far end)\n");
  result = RunCli(On({"log-count"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "600\n");
}

TEST_F(CliOverTcp, ServerThatSetsNoBaudRateIsGivenUpAfterTheWait) {
  // The simulator speaks no Telnet: the settings are never confirmed.
  tarvex::testing::FastClock clock(100);
  const auto result = RunCli(On({"log-count"}, "rfc2217://"), clock);
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err, "tarvex-cli: cannot open " + On({}, "rfc2217://")[1] +
                            ": the server did not confirm the baud rate (RFC 2217)\n");
}

TEST_F(CliOverTcp, CtrlCEndsASilentWaitAtOnce) {
  AddFault("long:28:silence");
  const std::atomic<bool> stop{true};
  const auto start = std::chrono::steady_clock::now();
  const auto result = RunCli(On({"log-count"}), RealClock(), testing::kNoSettings, stop);
  EXPECT_EQ(result.status, 130) << result.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(CliBehindUsbAdapter, AConfigurationArrivingInPiecesIsReadWhole) {
  // Blocks of 255 bytes at 38400 baud: each reply comes in packets of 62 bytes, about
  // the adapter's 16 ms apart.
  tarvex::testing::ScratchFolder folder("cli-usb");
  sim::ControllerModel model(sim::ModelOptions{.read_block_size = 255});
  sim::PtyOptions options;
  options.link_path = (folder.path() / "tty").string();
  options.baud = 38400;
  options.usb_latency = std::chrono::milliseconds(16);
  sim::PtyServer server(model, options);
  server.Start();
  std::string text;
  for (int i = 0; i < 1200; ++i) text += static_cast<char>(i % 50 == 49 ? '\n' : 'A' + i % 26);
  WriteFileBytes(folder.path() / "in.cfg", {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  const std::vector<std::string> port{"--port", server.link_path(), "--baud", "38400"};
  auto words = port;
  words.insert(words.end(), {"config", "write", "--force", (folder.path() / "in.cfg").string()});
  EXPECT_EQ(RunCli(words).status, 0);
  words = port;
  words.insert(words.end(), {"config", "read", "--output", (folder.path() / "out.cfg").string()});
  const auto result = RunCli(words);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFileBytes(folder.path() / "out.cfg"), text);
  server.Stop();
}

}  // namespace
}  // namespace tarvex::cli
