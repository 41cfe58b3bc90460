#include "log/log_commands.h"

#include <gtest/gtest.h>

#include "basics/conversion_error.h"
#include "log/log_record.h"
#include "testing/link_rig.h"

namespace tarvex {
namespace {

using testing::Hex;
using testing::LinkRig;
using testing::MakeLongReply;

TEST(LogCommandsTest, QueriesSendTheirFramesAndReadTheWord) {
  LinkRig rig([](const auto&) { return MakeLongReply({0x2C, 0x01}, 0x1C); });
  EXPECT_EQ(QueryLogCount(rig.link), 300);
  EXPECT_EQ(QueryLogPointer(rig.link), 300);
  EXPECT_TRUE(ClearLog(rig.link));
  ASSERT_EQ(rig.writes().size(), 3u);
  EXPECT_EQ(rig.writes()[0], Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C, 0x06, 0, 0, 0, 0, 0x8A, 0x47}));
  EXPECT_EQ(rig.writes()[1], Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x19, 0x06, 0, 0, 0, 0, 0x8A, 0x12}));
  EXPECT_EQ(rig.writes()[2][6], 0x1B);
}

TEST(LogCommandsTest, SilentControllerGivesZeroAndFalse) {
  LinkRig rig;
  EXPECT_EQ(QueryLogCount(rig.link), 0);
  EXPECT_EQ(QueryLogPointer(rig.link), 0);
  EXPECT_FALSE(ClearLog(rig.link));
  EXPECT_EQ(ReadLogRecord(rig.link, 3), 0);
}

TEST(LogCommandsTest, RecordReadLeavesTheRecordAtTheStartOfTheFrame) {
  const std::vector<std::uint8_t> record{'>', '2', '0', '2', '4'};
  LinkRig rig([&](const auto&) { return MakeLongReply(record); });
  ASSERT_EQ(ReadLogRecord(rig.link, 300), 5);
  EXPECT_TRUE(std::equal(record.begin(), record.end(), rig.link.TransferFrame.begin()));
  EXPECT_EQ(rig.writes()[0],
            Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1A, 0x06, 0x2C, 0x01, 0x01, 0x00, 0xD2, 0xE1}));
}

TEST(LogCommandsTest, NegativeIndexIsSentAsItsLow16Bits) {
  LinkRig rig;
  ReadLogRecord(rig.link, -5);
  EXPECT_EQ(rig.writes()[0][8], 0xFB);
  EXPECT_EQ(rig.writes()[0][9], 0xFF);
}

TEST(LogRetrievalPlanTest, CountBoxesCappedAtTheCountHeld) {
  CountBoxes boxes;  // Index with Beg "30"
  const auto thirty = PlanLogRetrieval(boxes, 2000, 50);
  EXPECT_EQ(thirty.count, 30);
  EXPECT_EQ(thirty.first_index, 20);

  boxes.index = false;
  boxes.last10 = true;
  const auto capped = PlanLogRetrieval(boxes, 7, 100);
  EXPECT_EQ(capped.count, 7);
  EXPECT_EQ(capped.first_index, 93);

  EXPECT_EQ(PlanLogRetrieval(boxes, 0, 100).count, 0);
  boxes.last10 = false;
  EXPECT_EQ(PlanLogRetrieval(boxes, 2000, 100).count, 0);  // no box ticked
}

TEST(LogRetrievalPlanTest, OneReadsTheRecordInEdOneReducedIntoTheRing) {
  CountBoxes boxes;
  boxes.last500 = true;
  boxes.index = false;
  boxes.one = true;
  boxes.ed_one = "2003";
  const auto plan = PlanLogRetrieval(boxes, 0, 100);  // even with an empty log
  EXPECT_EQ(plan.count, 1);
  EXPECT_EQ(LogRequestIndex(boxes, plan.first_index), 3);
  boxes.ed_one = "x1";
  EXPECT_THROW(PlanLogRetrieval(boxes, 10, 100), ConversionError);
  EXPECT_THROW(LogRequestIndex(boxes, 5), ConversionError);
}

TEST(LogRetrievalPlanTest, IndexesOf2000AndAboveAreReducedOnce) {
  CountBoxes boxes;
  EXPECT_EQ(LogRequestIndex(boxes, 1999), 1999);
  EXPECT_EQ(LogRequestIndex(boxes, 2000), 0);
  EXPECT_EQ(LogRequestIndex(boxes, 4005), 2005);
  EXPECT_EQ(LogRequestIndex(boxes, -5), -5);
}

TEST(LogRetrievalPlanTest, ExtremeBegTextsDoNotOverflow) {
  CountBoxes boxes;
  boxes.beg = "-2147483648";
  const auto plan = PlanLogRetrieval(boxes, 100, 50);
  EXPECT_LE(plan.count, 0);
}

}  // namespace
}  // namespace tarvex
