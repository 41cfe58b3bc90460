#include "archive/archive_commands.h"

#include <gtest/gtest.h>

#include <vector>

#include "archive/archive_lines.h"
#include "archive/archive_retrieval.h"
#include "basics/conversion_error.h"
#include "testing/link_rig.h"

namespace tarvex {
namespace {

using testing::Hex;
using testing::LinkRig;
using testing::MakeLongReply;

CountBoxes Last10() {
  CountBoxes boxes;
  boxes.index = false;
  boxes.last10 = true;
  return boxes;
}

// The indexes a RETRO retrieval requests from a controller whose pointer is `pointer`.
std::vector<std::int32_t> RequestedIndexes(const CountBoxes& boxes, std::int32_t pointer) {
  LinkRig rig([pointer](const std::vector<std::uint8_t>& request) {
    return request[6] == kArchivePointerCode
               ? MakeLongReply({static_cast<std::uint8_t>(pointer), static_cast<std::uint8_t>(pointer >> 8)},
                               kArchivePointerCode)
               : MakeLongReply(std::vector<std::uint8_t>(kArchiveRecordSize, 0), kArchiveRecordCode);
  });
  struct Sink final : ArchiveRetrievalSink {
    explicit Sink(const CountBoxes& b) : boxes(b) {}
    CountBoxes Boxes() override { return boxes; }
    void Line(std::string_view) override {}
    CountBoxes boxes;
  } sink(boxes);
  RetrieveArchive(rig.link, sink, WallTime{});
  std::vector<std::int32_t> indexes;
  for (const auto& request : rig.writes()) {
    if (request[6] == kArchiveRecordCode) indexes.push_back(static_cast<std::int16_t>(request[8] | request[9] << 8));
  }
  return indexes;
}

std::vector<std::int32_t> Range(std::int32_t first, std::int32_t last) {
  std::vector<std::int32_t> v;
  for (std::int32_t i = first; i <= last; ++i) v.push_back(i);
  return v;
}

TEST(ArchiveCommandsTest, PointerQueryAndRecordReadFrames) {
  LinkRig rig([](const std::vector<std::uint8_t>& request) {
    return request[6] == kArchivePointerCode
               ? MakeLongReply({0xF4, 0x01}, kArchivePointerCode)
               : MakeLongReply({24, 3, 5, 4, 4, 9, 0x00, 0x00, 0x48, 0x41}, kArchiveRecordCode);
  });
  EXPECT_EQ(QueryArchivePointer(rig.link), 500);
  ASSERT_EQ(ReadArchiveRecord(rig.link, 998), 10);
  const ArchiveRecord record = DecodeArchiveRecord({rig.link.TransferFrame.data(), 10});
  EXPECT_EQ(ArchiveFileLine(record), "2024:03:05 04:04:09:  12.500\r\n");
  EXPECT_EQ(rig.writes()[0], Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5B, 0x06, 0, 0, 0, 0, 0x85, 0x30}));
  EXPECT_EQ(rig.writes()[1],
            Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5C, 0x06, 0xE6, 0x03, 0x01, 0x00, 0x42, 0x5F}));
}

TEST(ArchiveCommandsTest, SilentControllerGivesZero) {
  LinkRig rig;
  EXPECT_EQ(QueryArchivePointer(rig.link), 0);
  EXPECT_EQ(ReadArchiveRecord(rig.link, 3), 0);
}

TEST(ArchiveRetrievalPlanTest, LastRecordIsBeforeThePointer) {
  EXPECT_EQ(PlanArchiveRetrieval(Last10(), 500).last_index, 499);
  EXPECT_EQ(PlanArchiveRetrieval(Last10(), 1).last_index, 0);
  EXPECT_EQ(PlanArchiveRetrieval(Last10(), 0).last_index, 999);
}

TEST(ArchiveRetrievalPlanTest, IndexesRunOverTheRingOf1001) {
  EXPECT_EQ(RequestedIndexes(Last10(), 500), Range(490, 499));
  std::vector<std::int32_t> wrapped = Range(992, 1000);
  wrapped.push_back(0);
  EXPECT_EQ(RequestedIndexes(Last10(), 1), wrapped);
  EXPECT_EQ(RequestedIndexes(CountBoxes{}, 100), Range(70, 99));  // Index, Beg "30"

  CountBoxes five_hundred;
  five_hundred.index = false;
  five_hundred.last500 = true;
  const std::vector<std::int32_t> indexes = RequestedIndexes(five_hundred, 100);
  ASSERT_EQ(indexes.size(), 500u);
  EXPECT_EQ(indexes.front(), 601);
  EXPECT_EQ(indexes[399], 1000);
  EXPECT_EQ(indexes[400], 0);
  EXPECT_EQ(indexes.back(), 99);
}

TEST(ArchiveRetrievalPlanTest, CountBoxesEdgeCases) {
  CountBoxes boxes;
  boxes.beg = "0";
  EXPECT_TRUE(RequestedIndexes(boxes, 100).empty());
  boxes.index = false;
  EXPECT_EQ(PlanArchiveRetrieval(boxes, 100).count, 0);  // no box ticked
  boxes.index = true;
  boxes.beg = "3O";
  EXPECT_THROW(PlanArchiveRetrieval(boxes, 100), ConversionError);
  // Still negative after one correction: sent as computed.
  boxes.beg = "2000";
  EXPECT_EQ(PlanArchiveRetrieval(boxes, 1).first_index, -998);
}

TEST(ArchiveRetrievalPlanTest, OneSendsEdOneUnreduced) {
  CountBoxes boxes;
  boxes.one = true;
  boxes.ed_one = "1005";
  EXPECT_EQ(RequestedIndexes(boxes, 100), std::vector<std::int32_t>{1005});
  boxes.beg = "0";
  EXPECT_TRUE(RequestedIndexes(boxes, 100).empty());
  boxes.beg = "1";
  boxes.ed_one = "";
  EXPECT_THROW(RequestedIndexes(boxes, 100), ConversionError);
}

}  // namespace
}  // namespace tarvex
