// The archive through the window: pointer query, RETRO with its count boxes, the
// zone shift, the pane, the output file and the ways a retrieval ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/testing/model_port_rig.h"
#include "basics/cp1251_text.h"
#include "sim/model/fault.h"
#include "sim/model/reply_frames.h"

namespace tarvex {
namespace {

using testing::FileBytes;
using testing::ModelPortRig;

constexpr std::uint8_t kRecordRead = 92;

std::vector<std::uint8_t> Record(int y, int mo, int d, int h, int mi, int s, float value) {
  std::vector<std::uint8_t> record{static_cast<std::uint8_t>(y),  static_cast<std::uint8_t>(mo),
                                   static_cast<std::uint8_t>(d),  static_cast<std::uint8_t>(h),
                                   static_cast<std::uint8_t>(mi), static_cast<std::uint8_t>(s)};
  const auto bytes = sim::FloatBytes(value);
  record.insert(record.end(), bytes.begin(), bytes.end());
  return record;
}

// The archive holds exactly these records, the pointer after the last.
void SetArchive(ModelPortRig& rig, const std::vector<std::vector<std::uint8_t>>& records) {
  rig.model.archive().Clear();
  for (const auto& record : records) rig.model.archive().Append(record);
}

// Record reads sent, by the index as it went on the line (signed 16 bits).
std::vector<int> RequestedIndexes(ModelPortRig& rig) {
  std::vector<int> indexes;
  for (const auto& request : rig.writes()) {
    if (request.size() == 14 && request[6] == kRecordRead) {
      indexes.push_back(static_cast<std::int16_t>(request[8] | request[9] << 8));
    }
  }
  return indexes;
}

// Reads `beg` records (Index ticked) or uses the box the test ticked.
void TickIndex(TForm1& form, const std::string& beg) {
  form.Index.SetChecked(true);
  form.Beg.SetText(beg);
}

void ChooseFile(ModelPortRig& rig, const std::filesystem::path& path) {
  rig.form().chFile.SetChecked(true);
  rig.shell.dialogs.file_answers.push_back(path);
}

// Z = 3: local 13 h, UTC 10 h.
void ZoneThreeHoursAhead(ModelPortRig& rig) { rig.shell.wall_clock.now = {{13, 5, 0}, {10, 5, 0}}; }

TEST(TForm1Archive, PointerQueryShowsItsValueOrZero) {
  ModelPortRig rig;
  rig.form().Memo1.SetText("old");
  rig.shell.Press(rig.form().ButBegRetro);
  EXPECT_EQ(rig.form().Memo1.Text(), "OK=600");
  EXPECT_EQ(rig.form().RecordPointer, 600);
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());

  rig.model.AddFault(sim::ParseFault("long:91:silence"));
  rig.shell.Press(rig.form().ButBegRetro);
  EXPECT_EQ(rig.form().Memo1.Text(), "OK=0");
  EXPECT_EQ(rig.form().RecordPointer, 0);
  EXPECT_TRUE(!rig.OkShown() && rig.NotOkShown());
}

TEST(TForm1Archive, LastTenAfterPointerOneWrapsRoundTheRing) {
  ModelPortRig rig;
  ZoneThreeHoursAhead(rig);
  SetArchive(rig, {Record(24, 3, 5, 4, 4, 9, 12.5f)});
  rig.form().Index.SetChecked(false);
  rig.form().Last10.SetChecked(true);
  rig.shell.Press(rig.form().ButContRetro);

  EXPECT_EQ(RequestedIndexes(rig), (std::vector<int>{992, 993, 994, 995, 996, 997, 998, 999, 1000, 0}));
  std::string expected = "OK=1";
  for (int index = 992; index <= 1000; ++index) {
    expected += (index < 1000 ? "\r\n  " : "\r\n ") + std::to_string(index) + "    0:00:00 00:00:00:   0.000";
  }
  expected += "\r\n    0 2024:03:05 07:04:09:  12.500";
  // One line per record, no empty line between them.
  EXPECT_EQ(rig.form().Memo1.Text(), expected);
  EXPECT_EQ(rig.form().Edi.Text(), "0");
  EXPECT_EQ(rig.form().RecordPointer, 0);
  EXPECT_TRUE(!rig.OkShown() && !rig.NotOkShown());
}

TEST(TForm1Archive, NoRecordRequestedStillCreatesAnEmptyFile) {
  ModelPortRig rig;
  rig.form().chFile.SetChecked(true);
  const auto path = testing::OfferFile(rig.shell, "empty.ret", "old content");
  TickIndex(rig.form(), "0");
  rig.shell.Press(rig.form().ButContRetro);
  EXPECT_TRUE(RequestedIndexes(rig).empty());
  EXPECT_EQ(FileBytes(path), "");
  ASSERT_EQ(rig.shell.dialogs.file_dialogs_shown.size(), 1u);
  EXPECT_EQ(rig.shell.dialogs.file_dialogs_shown[0].default_extension, "ret");
}

TEST(TForm1Archive, OneReadsItsIndexUnreducedAndShowsOnlyTheValue) {
  ModelPortRig rig;
  std::vector<std::vector<std::uint8_t>> records(10, Record(24, 1, 1, 0, 0, 0, 1.0f));
  records[4] = Record(24, 1, 1, 0, 0, 0, 25.666f);  // 1005 lands in slot 4
  SetArchive(rig, records);
  const auto path = rig.shell.PathOf("one.ret");
  ChooseFile(rig, path);
  rig.form().Edi.SetText("7");
  rig.form().ONE.SetChecked(true);
  rig.form().EdONE.SetText("1005");
  rig.shell.Press(rig.form().ButContRetro);

  EXPECT_EQ(RequestedIndexes(rig), std::vector<int>{1005});
  EXPECT_EQ(rig.form().EdVal.Text(), "25");
  EXPECT_EQ(rig.form().Memo1.Text(), "OK=10");
  EXPECT_EQ(rig.form().Edi.Text(), "7");
  EXPECT_EQ(FileBytes(path), "");
}

TEST(TForm1Archive, BegThatIsNoIntegerEndsAfterTheFileIsCreated) {
  ModelPortRig rig;
  const auto path = rig.shell.PathOf("beg.ret");
  ChooseFile(rig, path);
  TickIndex(rig.form(), "abc");
  rig.shell.Press(rig.form().ButContRetro);
  EXPECT_EQ(rig.shell.dialogs.errors, std::vector<std::string>{"'abc' is not a valid integer value"});
  EXPECT_EQ(rig.form().RecordPointer, 599);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(RequestedIndexes(rig).empty());
}

TEST(TForm1Archive, StopDoesNotEndAnArchiveRetrieval) {
  ModelPortRig rig;
  TickIndex(rig.form(), "10");
  // "Stop" is clicked whenever the retrieval lets messages run.
  rig.shell.view.on_pump = [&] { rig.shell.Click(rig.form().Button8); };
  rig.shell.Press(rig.form().ButContRetro);
  EXPECT_TRUE(rig.form().StopRequested);
  EXPECT_EQ(RequestedIndexes(rig).size(), 10u);
}

TEST(TForm1Archive, SaveDialogAsksAfterThePointerQuery) {
  ModelPortRig rig;
  TickIndex(rig.form(), "1");
  ChooseFile(rig, rig.shell.PathOf("after.ret"));
  // File dialogs shown before each request went out.
  std::vector<std::size_t> dialogs_before;
  const auto answer = testing::ModelPeer(rig.model);
  rig.form().link.PortHandle =
      std::make_unique<testing::FakePort>(rig.shell.clock, [&](const std::vector<std::uint8_t>& request) {
        dialogs_before.push_back(rig.shell.dialogs.file_dialogs_shown.size());
        return answer(request);
      });
  rig.shell.Press(rig.form().ButContRetro);
  EXPECT_EQ(dialogs_before, (std::vector<std::size_t>{0, 1}));
}

TEST(TForm1Archive, FileThatCannotBeCreatedIsToldWhenTheRetrievalEnds) {
  ModelPortRig rig;
  TickIndex(rig.form(), "2");
  const auto path = rig.shell.PathOf("gone") / "archive.ret";
  ChooseFile(rig, path);
  rig.shell.Press(rig.form().ButContRetro);
  EXPECT_EQ(RequestedIndexes(rig).size(), 2u);
  ASSERT_EQ(rig.shell.dialogs.messages.size(), 1u);
  EXPECT_TRUE(rig.shell.dialogs.messages[0].starts_with(Cp1251FromUtf8("   Файл не записан: ") + Cp1251FromPath(path) + " ("))
      << rig.shell.dialogs.messages[0];
}

}  // namespace
}  // namespace tarvex
