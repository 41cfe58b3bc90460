#include "archive/archive_retrieval.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "basics/conversion_error.h"
#include "sim/model/fault.h"
#include "sim/model/reply_frames.h"
#include "testing/model_peer.h"
#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kRecordRead = 92;

Bytes Record(int y, int mo, int d, int h, int mi, int s, float value) {
  Bytes record{static_cast<std::uint8_t>(y),  static_cast<std::uint8_t>(mo),
               static_cast<std::uint8_t>(d),  static_cast<std::uint8_t>(h),
               static_cast<std::uint8_t>(mi), static_cast<std::uint8_t>(s)};
  const auto bytes = sim::FloatBytes(value);
  record.insert(record.end(), bytes.begin(), bytes.end());
  return record;
}

class RecordingSink final : public ArchiveRetrievalSink {
 public:
  CountBoxes Boxes() override { return boxes; }
  void RecordsStarting(std::int32_t r) override { last_index = r; }
  std::optional<std::filesystem::path> OutputPath() override { return file; }
  void Line(std::string_view text) override { lines += std::string(lines.empty() ? "" : "|") + std::string(text); }

  CountBoxes boxes;
  std::optional<std::filesystem::path> file;
  std::int32_t last_index = -1;
  std::string lines;  // joined by "|"
};

// The simulated controller's archive behind a fake port; Index ticked with Beg `beg`.
struct Rig {
  explicit Rig(const std::string& beg) {
    link.PortHandle = std::make_unique<testing::FakePort>(clock, testing::ModelPeer(model));
    sink.boxes.beg = beg;
  }
  // The archive holds exactly these records, the pointer after the last.
  void SetArchive(const std::vector<Bytes>& records) {
    model.archive().Clear();
    for (const auto& record : records) model.archive().Append(record);
  }
  OperationOutcome Run(const std::optional<std::filesystem::path>& file = std::nullopt) {
    sink.file = file;
    return RetrieveArchive(link, sink, now);
  }
  // Record reads sent, by the index as it went on the line (signed 16 bits).
  std::vector<int> RequestedIndexes() {
    std::vector<int> indexes;
    for (const auto& request : static_cast<testing::FakePort&>(*link.PortHandle).writes) {
      if (request.size() == 14 && request[6] == kRecordRead) {
        indexes.push_back(static_cast<std::int16_t>(request[8] | request[9] << 8));
      }
    }
    return indexes;
  }

  sim::ControllerModel model;
  testing::FakeClock clock;
  LinkHooks hooks;
  Link link{hooks, clock};
  RecordingSink sink;
  WallTime now{.local = {10, 15, 20}, .utc = {10, 15, 20}};
};

TEST(ArchiveRetrievalTest, PointerZeroGivesLastIndex999) {
  Rig rig("2");
  rig.SetArchive({});
  const OperationOutcome outcome = rig.Run();
  EXPECT_EQ(rig.RequestedIndexes(), (std::vector<int>{998, 999}));
  EXPECT_EQ(rig.sink.last_index, 999);
  EXPECT_TRUE(rig.sink.lines.starts_with("  998 "));
  EXPECT_EQ(outcome.kind, OutcomeKind::kDone);
  EXPECT_EQ(OutcomeText(outcome), "pointer query: read as 0");
}

TEST(ArchiveRetrievalTest, ZoneShiftRollsDaysMonthsAndYearsInTheFile) {
  Rig rig("4");
  rig.now = {{13, 5, 0}, {10, 5, 0}};  // Z = 3
  rig.SetArchive({Record(24, 2, 28, 22, 30, 0, 1.0f), Record(23, 2, 28, 22, 30, 0, 2.0f),
                  Record(23, 12, 31, 23, 0, 0, 3.0f), Record(0, 0, 0, 23, 0, 0, 4.0f)});
  const testing::ScratchFolder dir("archive-retrieval");
  const auto path = dir.path() / "zone.ret";
  rig.Run(path);
  EXPECT_EQ(testing::FileBytes(path), "2024:02:29 01:30:00:   1.000\r\n"
                             "2023:03:01 01:30:00:   2.000\r\n"
                             "2024:01:01 02:00:00:   3.000\r\n"
                             "   0:00:00 23:00:00:   4.000\r\n");
  EXPECT_EQ(rig.sink.lines, "    0 2024:02:29 01:30:00:   1.000|"
                            "    1 2023:03:01 01:30:00:   2.000|"
                            "    2 2024:01:01 02:00:00:   3.000|"
                            "    3    0:00:00 23:00:00:   4.000");
}

TEST(ArchiveRetrievalTest, InvalidTimeEndsTheRetrievalKeepingWhatCameBefore) {
  Rig rig("4");
  rig.SetArchive({Record(24, 1, 1, 1, 0, 0, 1.0f), Record(24, 1, 1, 2, 0, 0, 2.0f),
                  Record(24, 1, 1, 24, 0, 0, 3.0f), Record(24, 1, 1, 4, 0, 0, 4.0f)});
  const testing::ScratchFolder dir("archive-retrieval");
  const auto path = dir.path() / "bad.ret";
  EXPECT_THROW(rig.Run(path), ConversionError);
  EXPECT_EQ(rig.RequestedIndexes(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(testing::FileBytes(path), "2024:01:01 01:00:00:   1.000\r\n"
                             "2024:01:01 02:00:00:   2.000\r\n");
  EXPECT_EQ(rig.sink.lines, "    0 2024:01:01 01:00:00:   1.000|"
                            "    1 2024:01:01 02:00:00:   2.000");
}

TEST(ArchiveRetrievalTest, FailedRecordReadEndsTheRetrieval) {
  Rig rig("5");
  rig.model.AddFault(sim::ParseFault("long:92:silence:after=2"));
  const OperationOutcome outcome = rig.Run();
  EXPECT_EQ(rig.RequestedIndexes(), (std::vector<int>{595, 596, 597}));
  EXPECT_EQ(rig.sink.lines.find("  597 "), std::string::npos);
  EXPECT_NE(rig.sink.lines.find("  596 "), std::string::npos);
  EXPECT_EQ(outcome.kind, OutcomeKind::kFailed);
  EXPECT_EQ(OutcomeText(outcome), "record 597: no reply");
}

}  // namespace
}  // namespace tarvex
