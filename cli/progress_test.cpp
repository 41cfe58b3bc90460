#include "cli/progress.h"

#include <gtest/gtest.h>

#include <sstream>

#include "testing/fake_port.h"

namespace tarvex::cli {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(ProgressLine, GivesTimePerItemAndTimeLeft) {
  EXPECT_EQ(ProgressLine(0, 125, "requests", seconds(0)), "0/125 requests");
  EXPECT_EQ(ProgressLine(12, 125, "requests", milliseconds(3120)), "12/125 requests, 0.26 s each, 0:29 left");
  EXPECT_EQ(ProgressLine(1, 2000, "records", seconds(3)), "1/2000 records, 3.00 s each, 1:39:57 left");
  EXPECT_EQ(ProgressLine(125, 125, "requests", seconds(25)), "125/125 requests, 0.20 s each");
  EXPECT_EQ(ProgressLine(5, std::nullopt, "requests", seconds(1)), "5 requests, 0.20 s each");
}

TEST(Progress, RewritesOneLineOnATerminalAndShowsNothingElsewhere) {
  tarvex::testing::FakeClock clock;
  std::ostringstream terminal;
  std::ostringstream pipe;
  {
    Progress shown(terminal, true, clock, 3, "requests");
    Progress hidden(pipe, false, clock, 3, "requests");
    for (int done = 1; done <= 3; ++done) {
      clock.Advance(seconds(1));
      shown.Advance(done);
      hidden.Advance(done);
      // Within the redraw interval nothing is drawn again.
      shown.Advance(done);
    }
  }
  EXPECT_EQ(terminal.str(),
            "\r1/3 requests, 1.00 s each, 0:02 left\r2/3 requests, 1.00 s each, 0:01 left"
            "\r3/3 requests, 1.00 s each" + std::string(11, ' ') + "\n");
  EXPECT_EQ(pipe.str(), "");
}

}  // namespace
}  // namespace tarvex::cli
