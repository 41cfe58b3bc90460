#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvex::sim {
namespace {

TEST(SimOptions, ReadsEveryOption) {
  const SimOptions o = ParseSimOptions({"--link", "/tmp/x/tty", "--baud", "38400", "--strict-baud", "--records",
                                        "2300", "--seed", "9", "--block", "255", "--pad", "8", "--ident", "-5",
                                        "--pressure", "101.25", "--verdict", "3", "--fault",
                                        "long:28:silence", "--fault", "block:16:hangup=10"});
  EXPECT_EQ(o.link_path, "/tmp/x/tty");
  EXPECT_EQ(o.baud, 38400);
  EXPECT_TRUE(o.strict_baud);
  EXPECT_EQ(o.model.event_records, 2300u);
  EXPECT_EQ(o.model.seed, 9u);
  EXPECT_EQ(o.model.read_block_size, 255u);
  EXPECT_EQ(o.model.short_reply_pad, 8u);
  EXPECT_EQ(o.identifier, -5);
  EXPECT_EQ(o.pressure, 101.25f);
  EXPECT_EQ(o.verdict, 3);
  ASSERT_EQ(o.faults.size(), 2u);
  EXPECT_EQ(o.faults[1].kind, FaultKind::kHangUp);

  ControllerModel model(o.model);
  ApplySimOptions(o, model);
  EXPECT_EQ(model.identifier(), -5);
  EXPECT_EQ(model.verdict(), 3);
  EXPECT_EQ(model.read_block_size(), 255u);
}

TEST(SimOptions, ReadsThePollerMode) {
  const SimOptions o = ParseSimOptions({"--link", "p", "--poll", "--poll-count", "20",
                                        "--poll-interval", "0", "--poll-day", "300", "--baud",
                                        "9600"});
  EXPECT_TRUE(o.poll);
  EXPECT_EQ(o.poller.count, 20u);
  EXPECT_EQ(o.poller.interval.count(), 0);
  EXPECT_EQ(o.poller.expect.day, 300);
  EXPECT_EQ(o.poller.baud, 9600);
  EXPECT_EQ(o.poller.start_delay.count(), 2000);
  EXPECT_EQ(ParseSimOptions({"--poll", "--link", "p", "--poll-start", "0"}).poller.start_delay.count(), 0);
}

TEST(SimOptions, RefusesBadCommandLines) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--baud", "9600"},
      {"--link"},
      {"--link", "p", "--baud", "fast"},
      {"--link", "p", "--baud", "0"},
      {"--link", "p", "--block", "256"},
      {"--link", "p", "--pad", "256"},
      {"--link", "p", "--verdict", "300"},
      {"--link", "p", "--fault", "long:28"},
      {"--link", "p", "--colour", "red"},
      {"--link", "p", "--poll-count", "3"},
      {"--link", "p", "--strict-baud"},
      {"--link", "p", "--poll", "--poll-count", "0"},
      {"--link", "p", "--poll", "--poll-interval", "-1"},
  };
  for (const auto& args : bad) EXPECT_THROW(ParseSimOptions(args), std::invalid_argument);
  EXPECT_TRUE(ParseSimOptions({"--help"}).help);
}

}  // namespace
}  // namespace tarvex::sim
