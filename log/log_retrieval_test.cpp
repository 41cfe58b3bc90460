#include "log/log_retrieval.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "testing/link_rig.h"
#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::LinkRig;
using testing::MakeLongReply;

// "<" record stamped 2024-03-07 09:05:00 whose text names its index.
std::string FoldedRecord(int index) { return "<2024.03.07-09:05:00 r" + std::to_string(index); }

std::vector<int> Range(int first, int last) {
  std::vector<int> indexes;
  for (int i = first; i <= last; ++i) indexes.push_back(i);
  return indexes;
}

// A controller answering the log commands: its count and pointer, one record per index.
class Controller {
 public:
  int count = 0;
  int pointer = 0;
  bool silent_pointer = false;
  int silent_record_read = 0;        // 1-based record read that gets no reply; 0: none
  int spoiled_record_read = 0;       // ... whose packet checksum is wrong
  std::function<void(int read)> during_record_read;
  std::vector<int> record_indexes;  // as sent, signed 16 bits

  Bytes Answer(const Bytes& request) {
    switch (request[6]) {
      case 0x1C: return Word(count, 0x1C);
      case 0x19: return silent_pointer ? Bytes{} : Word(pointer, 0x19);
      case 0x1A: {
        const int index = static_cast<std::int16_t>(request[8] | request[9] << 8);
        record_indexes.push_back(index);
        const int read = static_cast<int>(record_indexes.size());
        if (during_record_read) during_record_read(read);
        if (read == silent_record_read) return {};
        const std::string text = FoldedRecord(index);
        Bytes reply = MakeLongReply(Bytes(text.begin(), text.end()));
        if (read == spoiled_record_read) reply.back() ^= 1;
        return reply;
      }
      default: return {};
    }
  }

 private:
  static Bytes Word(int value, std::uint8_t code) {
    return MakeLongReply({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}, code);
  }
};

// What a front end would show.
class RecordingSink final : public LogRetrievalSink {
 public:
  CountBoxes Boxes() override { return boxes; }
  std::optional<std::filesystem::path> OutputPath() override { return file; }
  void Line(std::string_view text) override { lines.emplace_back(text); }
  bool StopRequested() override { return stop; }

  CountBoxes boxes;
  std::optional<std::filesystem::path> file;
  bool stop = false;
  std::vector<std::string> lines;
};

struct Rig {
  Controller controller;
  LinkRig link{[this](const Bytes& request) { return controller.Answer(request); }};
  RecordingSink sink;
  OperationOutcome Run(const std::optional<std::filesystem::path>& file = std::nullopt) {
    sink.file = file;
    return RetrieveLog(link.link, sink);
  }
};

TEST(LogRetrievalTest, ReadsTheLastRecordsInAscendingOrder) {
  {  // fewer held than asked for
    Rig rig;
    rig.controller.count = 7;
    rig.controller.pointer = 100;
    rig.sink.boxes = CountBoxes{.last10 = true, .index = false};
    EXPECT_EQ(rig.Run().kind, OutcomeKind::kDone);
    EXPECT_EQ(rig.controller.record_indexes, Range(93, 99));
    EXPECT_EQ(rig.sink.lines.back(), FoldedRecord(99) + "\r\n");
  }
  {  // "последних" with Beg 30
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 50;
    rig.Run();
    EXPECT_EQ(rig.controller.record_indexes, Range(20, 49));
  }
  {  // indexes of 2000 and more are brought back into the ring, later ones follow
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 2005;
    rig.sink.boxes.beg = "10";
    rig.Run();
    std::vector<int> expected = Range(1995, 1999);
    for (int i : Range(0, 4)) expected.push_back(i);
    EXPECT_EQ(rig.controller.record_indexes, expected);
  }
  {  // a pointer smaller than N: the start index goes below 0
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 3;
    rig.sink.boxes = CountBoxes{.last10 = true, .index = false};
    rig.Run();
    EXPECT_EQ(rig.controller.record_indexes, Range(-7, 2));
  }
}

TEST(LogRetrievalTest, OneReadsTheRecordAtEdOneOnly) {
  {
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 50;
    rig.sink.boxes = CountBoxes{.last500 = true, .index = false, .one = true, .ed_one = "2003"};
    EXPECT_EQ(rig.Run().kind, OutcomeKind::kDone);
    EXPECT_EQ(rig.controller.record_indexes, std::vector<int>{3});
    EXPECT_EQ(rig.sink.lines, std::vector<std::string>{FoldedRecord(3) + "\r\n"});
  }
  {  // ticked while the second record is read: that record is still the planned one, and the last
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 50;
    rig.controller.during_record_read = [&](int read) {
      if (read == 2) rig.sink.boxes.one = true;
    };
    EXPECT_EQ(rig.Run().kind, OutcomeKind::kDone);
    EXPECT_EQ(rig.controller.record_indexes, Range(20, 21));
  }
}

TEST(LogRetrievalTest, FailedReadEndsTheRetrievalWithTheFileComplete) {
  Rig rig;
  rig.controller.count = 2000;
  rig.controller.pointer = 500;
  rig.controller.silent_record_read = 5;
  const testing::ScratchFolder dir("log-retrieval");
  const auto path = dir.path() / "failed.log";
  const OperationOutcome outcome = rig.Run(path);
  EXPECT_EQ(rig.controller.record_indexes.size(), 5u);
  EXPECT_EQ(outcome.kind, OutcomeKind::kFailed);
  EXPECT_EQ(OutcomeText(outcome), "record 474: no reply");
  std::string expected = "pointer = 500\r\n";
  for (int i : Range(470, 473)) expected += FoldedRecord(i) + "\r\n";
  EXPECT_EQ(testing::FileBytes(path), expected);
}

TEST(LogRetrievalTest, OutcomeNamesTheFirstFailedStepAndWhy) {
  {
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 1290;
    rig.controller.spoiled_record_read = 5;
    EXPECT_EQ(OutcomeText(rig.Run()), "record 1264: reply checksum wrong");
  }
  {  // the retrieval goes on from pointer 0; the first failure is the one told
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.silent_pointer = true;
    rig.sink.boxes.beg = "2";
    const OperationOutcome outcome = rig.Run();
    EXPECT_EQ(rig.controller.record_indexes, Range(-2, -1));
    EXPECT_EQ(outcome.kind, OutcomeKind::kDone);
    EXPECT_EQ(OutcomeText(outcome), "no reply to the pointer query");
  }
}

TEST(LogRetrievalTest, StopEndsAfterTheCurrentRecordEachOnDiskBeforeTheNext) {
  Rig rig;
  rig.controller.count = 2000;
  rig.controller.pointer = 500;
  rig.sink.boxes = CountBoxes{.last500 = true, .index = false};
  const testing::ScratchFolder dir("log-retrieval");
  const auto path = dir.path() / "stopped.log";
  std::string written_before_third;
  rig.controller.during_record_read = [&](int read) {
    if (read != 3) return;
    written_before_third = testing::FileBytes(path);
    rig.sink.stop = true;
  };
  const OperationOutcome outcome = rig.Run(path);
  EXPECT_EQ(outcome.kind, OutcomeKind::kStopped);
  EXPECT_EQ(OutcomeText(outcome), "stopped");
  EXPECT_EQ(rig.controller.record_indexes, Range(0, 2));
  std::string expected = "pointer = 500\r\n" + FoldedRecord(0) + "\r\n" + FoldedRecord(1) + "\r\n";
  EXPECT_EQ(written_before_third, expected);
  EXPECT_EQ(testing::FileBytes(path), expected + FoldedRecord(2) + "\r\n");
}

}  // namespace
}  // namespace tarvex
