#include "bench/stall_watch.h"

#include <gtest/gtest.h>

namespace tarvex::bench {
namespace {

using namespace std::chrono_literals;
using Clock = StallWatch::Clock;

TEST(StallWatchTest, CoverageIsClippedToTheGapAndCountsOverlapsOnce) {
  const Clock::time_point t0{};
  auto at = [&](std::chrono::milliseconds ms) { return t0 + ms; };
  // Both processors saw the same stall (counted once), one ran past the gap's end,
  // one lay before the gap, and one sat inside another.
  const std::vector<StallWatch::Stretch> stretches{
      {at(12ms), at(30ms)}, {at(12ms), at(30ms)}, {at(15ms), at(20ms)},
      {at(0ms), at(8ms)},   {at(35ms), at(60ms)}};
  EXPECT_EQ(StallWatch::CoveredWithin(stretches, at(10ms), at(40ms)), 18ms + 5ms);
  EXPECT_EQ(StallWatch::CoveredWithin(stretches, at(30ms), at(35ms)), 0ms);
  EXPECT_EQ(StallWatch::CoveredWithin({}, at(10ms), at(40ms)), 0ms);
}

TEST(StallWatchTest, UnknownProcessorsClearNothing) {
  StallWatch watch;
  watch.Stop();
  const auto now = Clock::now();
  EXPECT_EQ(watch.StalledWithin(now - 1s, now, -1, -1), Clock::duration{});
}

}  // namespace
}  // namespace tarvex::bench
