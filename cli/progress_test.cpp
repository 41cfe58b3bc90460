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
    Progress shown(terminal, true, clock, 4, "requests");
    Progress hidden(pipe, false, clock, 4, "requests");
    // The second item comes within the redraw interval of the first and is not drawn;
    // the last is drawn all the same.
    const milliseconds after_the_one_before[] = {milliseconds(1000), milliseconds(50), milliseconds(1950),
                                                 milliseconds(50)};
    for (int done = 1; done <= 4; ++done) {
      clock.Advance(after_the_one_before[done - 1]);
      shown.Advance(done);
      hidden.Advance(done);
    }
  }
  EXPECT_EQ(terminal.str(),
            "\r1/4 requests, 1.00 s each, 0:03 left\r3/4 requests, 1.00 s each, 0:01 left"
            "\r4/4 requests, 0.76 s each" + std::string(11, ' ') + "\n");
  EXPECT_EQ(pipe.str(), "");
}

}  // namespace
}  // namespace tarvex::cli
