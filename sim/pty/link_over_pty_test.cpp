// The link layer's POSIX port and exchanges against the simulator on a pseudo-terminal,
// and its network port against the simulator on a TCP port.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "link/link.h"
#include "sim/model/fault.h"
#include "sim/pty/pty_server.h"
#include "testing/fast_clock.h"

namespace tarvex::sim {
namespace {

namespace fs = std::filesystem;

PtyOptions PacedLink() {
  PtyOptions options;
  options.link_path =
      (fs::temp_directory_path() / ("tarvex-link-pty-" + std::to_string(getpid())) / "tty")
          .string();
  options.baud = 38400;
  return options;
}

class LinkOverPty : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.Start();
    ASSERT_TRUE(link_.Open(server_.link_path(), 38400));
  }
  void TearDown() override {
    link_.Close();
    server_.Stop();
    fs::remove_all(fs::path(server_.link_path()).parent_path());
  }

  ControllerModel model_{ModelOptions{.event_records = 500}};
  PtyServer server_{model_, PacedLink()};
  LinkHooks hooks_;
  Link link_{hooks_, RealClock()};
};

TEST_F(LinkOverPty, ReadsCountPointerRecordsAndValues) {
  EXPECT_EQ(link_.ExchangeWordCommand(28), 500);
  EXPECT_EQ(link_.ExchangeWordCommand(25), 500);
  for (std::int32_t index : {0, 300, 499}) {
    link_.FrameLength = static_cast<std::int32_t>(BuildIndexedRequest(link_.TransferFrame, 26, index));
    const std::int32_t n = link_.ExchangeData(link_.TransferFrame, 14);
    const Bytes& expected = model_.event_log().At(static_cast<std::uint16_t>(index));
    ASSERT_EQ(n, static_cast<std::int32_t>(expected.size()));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), link_.TransferFrame.begin()));
  }
  EXPECT_EQ(link_.ExchangeWordCommand(91), 600);
  BuildCommandRequest(link_.TransferFrame, 45);
  EXPECT_FLOAT_EQ(link_.ExchangeFloat(link_.TransferFrame, 14), model_.pressure());
}

TEST_F(LinkOverPty, SpoiledRepliesFail) {
  server_.WithModel([](ControllerModel& m) {
    m.AddFault(ParseFault("long:28:bad-header-crc:count=1"));
    m.AddFault(ParseFault("long:25:bad-packet-crc:count=1"));
  });
  EXPECT_EQ(link_.ExchangeWordCommand(28), 0);
  EXPECT_EQ(link_.ExchangeWordCommand(25), 0);
  EXPECT_EQ(link_.ExchangeWordCommand(28), 500);
}

TEST(LinkOverTcp, ADroppedConnectionIsMadeAgainByTheNextRequest) {
  ControllerModel model;
  model.AddFault(ParseFault("long:28:hangup=0:count=1"));
  PtyOptions options;
  options.listen = "127.0.0.1:0";
  PtyServer server(model, options);
  server.Start();
  LinkHooks hooks;
  // The first-byte wait's pauses on the dead connection pass ten times faster.
  tarvex::testing::FastClock clock(10);
  Link link(hooks, clock);
  ASSERT_TRUE(link.Open(server.link_path(), 38400));
  EXPECT_EQ(link.ExchangeWordCommand(28), 0);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kPortGone);
  EXPECT_EQ(link.PortHandle->LossReason(), "connection closed by the far end");
  EXPECT_EQ(link.ExchangeWordCommand(28), 300);
  link.Close();
  server.Stop();
}

}  // namespace
}  // namespace tarvex::sim
