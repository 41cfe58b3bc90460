#include "log/log_append.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvex {
namespace {

TEST(LogAppendTest, TheFileEndsAtItsLastPointerLine) {
  EXPECT_EQ(FindLogFileEnd("no pointer\r\n"), std::nullopt);
  EXPECT_EQ(FindLogFileEnd(""), std::nullopt);
  auto end = FindLogFileEnd("pointer = 300\r\n<2024.12.27 a\r\n");
  ASSERT_TRUE(end);
  EXPECT_EQ(end->pointer, 300);
  EXPECT_TRUE(end->records);
  // A later section with its note, and without records; "pointer = " inside a line is text.
  end = FindLogFileEnd("pointer = 300\r\n<a pointer = 7\r\npointer = 20 (the log was cleared)\r\n");
  EXPECT_EQ(end->pointer, 20);
  EXPECT_FALSE(end->records);
}

TEST(LogAppendTest, PlanFollowsOnUnlessTheLogWasClearedOrWrappedPastTheLastRecord) {
  std::vector<std::int32_t> asked;
  const auto holds = [&](bool answer) {
    return [&asked, answer](std::int32_t index) {
      asked.push_back(index);
      return answer;
    };
  };
  const LogFileEnd end{.pointer = 350, .records = true};
  // 50 more; 1750 more across the ring's end; none.
  EXPECT_EQ(PlanLogAppend(end, 400, 400, holds(true)).records, 50);
  EXPECT_EQ(PlanLogAppend(end, 2000, 100, holds(true)).records, 1750);
  EXPECT_EQ(PlanLogAppend(end, 400, 350, holds(true)).records, 0);
  EXPECT_EQ(asked, (std::vector<std::int32_t>{349, 349, 349}));
  // The pointer went back: cleared, without asking.
  asked.clear();
  auto plan = PlanLogAppend(end, 20, 20, holds(true));
  EXPECT_EQ(plan.section, LogSection::kCleared);
  EXPECT_EQ(plan.records, 20);
  EXPECT_TRUE(asked.empty());
  // The last record changed: cleared and filled past it, or wrapped past it.
  plan = PlanLogAppend(end, 500, 500, holds(false));
  EXPECT_EQ(plan.section, LogSection::kCleared);
  EXPECT_EQ(plan.records, 500);
  plan = PlanLogAppend(end, 2000, 600, holds(false));
  EXPECT_EQ(plan.section, LogSection::kMissing);
  EXPECT_EQ(plan.records, 2000);
  asked.clear();
  EXPECT_EQ(PlanLogAppend({.pointer = 0, .records = true}, 2000, 10, holds(true)).records, 10);
  EXPECT_EQ(asked, std::vector<std::int32_t>{1999});
  // A section without records has no record to compare.
  asked.clear();
  EXPECT_EQ(PlanLogAppend({.pointer = 0, .records = false}, 30, 30, holds(false)).records, 30);
  EXPECT_TRUE(asked.empty());
}

}  // namespace
}  // namespace tarvex
