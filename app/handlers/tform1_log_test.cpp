// The event log handlers against a scripted controller on a fake port (the fake
// clock makes the 13 s silent wait instant).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/testing/shell.h"
#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

using testing::Chunk;
using testing::FakePort;
using testing::FileBytes;
using testing::MakeLongReply;
using testing::Shell;
using Bytes = std::vector<std::uint8_t>;

// True when the process holds the file no more: it can be removed. Windows refuses
// to remove a file held open; elsewhere the process's descriptors are looked at.
bool Released(const std::filesystem::path& path) {
#ifdef __linux__
  const auto target = std::filesystem::canonical(path);
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(fd.path(), error) == target) return false;
  }
#endif
  std::error_code error;
  return std::filesystem::remove(path, error);
}

// "<" record stamped 2024-03-07 09:05:00 whose text names its index.
std::string FoldedRecord(int index) { return "<2024.03.07-09:05:00 r" + std::to_string(index); }

// A controller answering the log commands: its count and pointer, one record per
// index, and the record reads it leaves unanswered.
class Controller {
 public:
  int count = 0;
  int pointer = 0;
  bool silent = false;
  std::function<std::string(int index)> record = FoldedRecord;
  // Runs inside the exchange of every record read, as a click would while it waits.
  std::function<void(int read)> during_record_read;

  std::vector<Bytes> requests;
  std::vector<int> record_indexes;  // as sent, signed 16 bits

  std::vector<Chunk> Answer(const Bytes& request) {
    requests.push_back(request);
    if (silent) return {};
    switch (request[6]) {
      case 0x1C:
        return Word(count, 0x1C);
      case 0x19:
        return Word(pointer, 0x19);
      case 0x1B:
        return {{std::chrono::milliseconds(1), MakeLongReply({}, 0x1B)}};
      case 0x1A: {
        const int index = static_cast<std::int16_t>(request[8] | request[9] << 8);
        record_indexes.push_back(index);
        const int read = static_cast<int>(record_indexes.size());
        if (during_record_read) during_record_read(read);
        const std::string text = record(index);
        return {{std::chrono::milliseconds(1), MakeLongReply(Bytes(text.begin(), text.end()))}};
      }
      default:
        return {};
    }
  }

 private:
  static std::vector<Chunk> Word(int value, std::uint8_t code) {
    return {{std::chrono::milliseconds(1),
             MakeLongReply({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}, code)}};
  }
};

// A window whose port is open on the scripted controller.
struct Rig {
  Rig() {
    shell.form->link.PortHandle = std::make_unique<FakePort>(
        shell.clock, [this](const Bytes& request) { return controller.Answer(request); });
    shell.form->ok.Show();
  }
  TForm1& form() { return *shell.form; }
  std::string Pane() const { return shell.form->Memo1.Text(); }
  void Click(const Handle& control) { shell.Click(control); }
  // Chooses the output file for the next LOG.
  std::filesystem::path TickFile() {
    form().chFile.SetChecked(true);
    const auto path = shell.PathOf("events.log");
    shell.dialogs.file_answers.push_back(path);
    return path;
  }
  bool OkShown() const { return !shell.form->Label2.Hidden(); }
  bool NotOkShown() const { return !shell.form->Label5.Hidden(); }

  Shell shell;
  Controller controller;
};

std::vector<int> Range(int first, int last) {
  std::vector<int> indexes;
  for (int i = first; i <= last; ++i) indexes.push_back(i);
  return indexes;
}

TEST(TForm1Log, EmptyLogRequestsNoRecord) {
  Rig rig;
  rig.controller.count = 0;
  rig.controller.pointer = 123;
  const auto path = rig.TickFile();
  rig.Click(rig.form().ButContLog);
  EXPECT_EQ(rig.controller.requests.size(), 2u);
  EXPECT_EQ(rig.Pane(), "OK=123\r\npointer = 123\r\n");
  EXPECT_EQ(FileBytes(path), "pointer = 123\r\n");
  EXPECT_TRUE(!rig.OkShown() && !rig.NotOkShown());
  ASSERT_EQ(rig.shell.dialogs.file_dialogs_shown.size(), 1u);
  EXPECT_EQ(rig.shell.dialogs.file_dialogs_shown[0].default_extension, "log");
}

TEST(TForm1Log, CountBoxesKeepEachOtherApart) {
  Rig rig;
  TForm1& f = rig.form();
  const std::vector<Handle> boxes{f.Last500, f.Last100, f.Last10, f.Index, f.ONE};
  auto ticked = [&] {
    std::vector<bool> state;
    for (const Handle& box : boxes) state.push_back(box.Checked());
    return state;
  };
  // Clicks `box` with every other box ticked.
  auto tick_from_all_ticked = [&](const Handle& box) {
    for (const Handle& each : boxes) each.SetChecked(true);
    box.SetChecked(false);
    rig.Click(box);
  };
  // Box clicked -> state of Last500, Last100, Last10, Index, ONE after it.
  tick_from_all_ticked(f.Last10);
  EXPECT_EQ(ticked(), (std::vector<bool>{false, false, true, false, false}));
  tick_from_all_ticked(f.Last500);
  EXPECT_EQ(ticked(), (std::vector<bool>{true, false, false, false, true}));
  tick_from_all_ticked(f.Last100);
  EXPECT_EQ(ticked(), (std::vector<bool>{false, true, false, false, true}));
  tick_from_all_ticked(f.Index);
  EXPECT_EQ(ticked(), (std::vector<bool>{false, false, false, true, true}));
  tick_from_all_ticked(f.ONE);
  EXPECT_EQ(ticked(), (std::vector<bool>{true, true, false, true, true}));

  // Unticking changes no other box.
  for (const Handle& each : boxes) each.SetChecked(true);
  rig.Click(f.Last500);
  EXPECT_EQ(ticked(), (std::vector<bool>{false, true, true, true, true}));

  // From the start state, unticking Index leaves all four count boxes unticked, and
  // LOG then reads no record.
  Rig fresh;
  TForm1& g = fresh.form();
  fresh.Click(g.Index);
  EXPECT_TRUE(!g.Index.Checked() && !g.Last10.Checked() && !g.Last100.Checked() && !g.Last500.Checked());
  fresh.controller.count = 2000;
  fresh.controller.pointer = 50;
  fresh.Click(g.ButContLog);
  EXPECT_TRUE(fresh.controller.record_indexes.empty());
  EXPECT_EQ(fresh.Pane(), "OK=50");
}

TEST(TForm1Log, ClearLogAsksFirst) {
  Rig rig;
  rig.shell.dialogs.confirm_answers = {Dialogs::kNo};
  rig.Click(rig.form().ButKillLog);
  EXPECT_EQ(rig.shell.dialogs.confirmations_asked, 1);
  EXPECT_TRUE(rig.controller.requests.empty());
  EXPECT_TRUE(!rig.OkShown() && !rig.NotOkShown());

  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  rig.Click(rig.form().ButKillLog);
  ASSERT_EQ(rig.controller.requests.size(), 1u);
  EXPECT_EQ(rig.controller.requests[0][6], 0x1B);
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());

  rig.controller.silent = true;
  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  rig.Click(rig.form().ButKillLog);
  EXPECT_TRUE(!rig.OkShown() && rig.NotOkShown());
}

TEST(TForm1Log, CancelledFileDialogMeansNoFileAndNoPointerLine) {
  Rig rig;
  rig.controller.count = 2;
  rig.controller.pointer = 2;
  rig.form().chFile.SetChecked(true);
  rig.Click(rig.form().ButContLog);
  EXPECT_EQ(rig.shell.dialogs.file_dialogs_shown.size(), 1u);
  EXPECT_EQ(rig.Pane(), "OK=2\r\n<2024.03.07-09:05:00 r0\r\n<2024.03.07-09:05:00 r1\r\n\r\n");
  EXPECT_TRUE(std::filesystem::is_empty(rig.shell.dir.path()));
}

TEST(TForm1Log, QueriesShowOkAndZeroWhenTheControllerIsSilent) {
  Rig rig;
  rig.controller.silent = true;
  rig.form().Label5.Show();
  const auto before = rig.shell.clock.Now();
  rig.Click(rig.form().ButContCount);
  EXPECT_EQ(rig.Pane(), "OK=0");
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());
  EXPECT_GE(rig.shell.clock.Now() - before, std::chrono::seconds(13));
  EXPECT_EQ(rig.form().RecordPointer, 0);

  rig.controller.silent = false;
  rig.controller.pointer = 1234;
  rig.form().Memo1.AddLine("old");
  // The description creates "Begin up log" hidden; shown, its click runs the query.
  rig.form().ButBegLog.Show();
  rig.Click(rig.form().ButBegLog);
  EXPECT_EQ(rig.Pane(), "OK=1234");
  EXPECT_EQ(rig.form().RecordPointer, 1234);
  rig.controller.silent = true;
  rig.form().Label5.Show();
  rig.Click(rig.form().ButBegLog);
  EXPECT_EQ(rig.Pane(), "OK=0");
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());
}

TEST(TForm1Log, ConversionErrorEndsTheRetrievalWithTheFileComplete) {
  Rig rig;
  rig.controller.count = 100;
  rig.controller.pointer = 100;
  const auto path = rig.TickFile();
  rig.form().Beg.SetText("abc");
  rig.Click(rig.form().ButContLog);
  EXPECT_EQ(rig.shell.dialogs.errors, std::vector<std::string>{"'abc' is not a valid integer value"});
  EXPECT_TRUE(rig.controller.record_indexes.empty());
  EXPECT_EQ(FileBytes(path), "pointer = 100\r\n");
  EXPECT_TRUE(Released(path));
  // The command is over: the next one runs.
  rig.Click(rig.form().ButContCount);
  EXPECT_EQ(rig.Pane(), "OK=100");
}

TEST(TForm1Log, PaneAndFileLinesFollowTheRecordKinds) {
  {
    Rig rig;
    rig.controller.count = 3;
    rig.controller.pointer = 3;
    rig.form().Edi.SetText("x");
    rig.controller.record = [](int index) {
      return std::string(index == 2 ? ">" : "<") + "2024.03.07-09:05:00 " + char('A' + index);
    };
    rig.Click(rig.form().ButContLog);
    EXPECT_EQ(rig.Pane(),
              "OK=3\r\n<2024.03.07-09:05:00 A\r\n<2024.03.07-09:05:00 B\r\n\r\n"
              ">2024.03.07-09:05:00 C\r\n");
    EXPECT_EQ(rig.form().Edi.Text(), "3");
  }
  {  // the folding example, and a ">" line cut short by a zero byte, in the file
    Rig rig;
    rig.controller.count = 2;
    rig.controller.pointer = 9;
    rig.controller.record = [](int index) {
      return index == 7 ? std::string("<2024.03.07-09:05:00 \r\nAB\r\n\r\nCD")
                        : std::string(">2024.03.07-09:05:00 X\0Y", 24);
    };
    const auto path = rig.TickFile();
    rig.Click(rig.form().ButContLog);
    EXPECT_EQ(rig.Pane(),
              "OK=9\r\npointer = 9\r\n<2024.03.07-09:05:00 AB CD\r\n\r\n"
              ">2024.03.07-09:05:00 X\r\n");
    EXPECT_EQ(FileBytes(path), std::string("pointer = 9\r\n<2024.03.07-09:05:00 AB CD\r\n"
                                           ">2024.03.07-09:05:00 X\0Y\r\n",
                                           67));
    EXPECT_EQ(rig.form().Edi.Text(), "2");
  }
}

TEST(TForm1Log, StopEndsAfterTheCurrentRecordAndOtherCommandsAreRefused) {
  Rig rig;
  rig.controller.count = 2000;
  rig.controller.pointer = 500;
  rig.Click(rig.form().Last500);
  rig.form().StopRequested = true;  // left over from an earlier run: cleared at start
  const auto path = rig.TickFile();
  std::string written_before_third;
  rig.controller.during_record_read = [&](int read) {
    if (read != 3) return;
    written_before_third = FileBytes(path);
    rig.Click(rig.form().ButContCount);
    rig.Click(rig.form().ButContLog);
    rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
    rig.Click(rig.form().ButKillLog);
    rig.Click(rig.form().Button8);
  };
  rig.Click(rig.form().ButContLog);
  EXPECT_EQ(rig.controller.record_indexes, Range(0, 2));
  EXPECT_EQ(rig.controller.requests.size(), 5u);
  EXPECT_EQ(rig.shell.dialogs.confirmations_asked, 0);
  std::string expected = "pointer = 500\r\n";
  for (int i : Range(0, 1)) expected += FoldedRecord(i) + "\r\n";
  // Each record is on disk before the next exchange.
  EXPECT_EQ(written_before_third, expected);
  expected += FoldedRecord(2) + "\r\n";
  EXPECT_EQ(FileBytes(path), expected);
}

TEST(TForm1Log, SaveDialogAsksAfterTheQueries) {
  Rig rig;
  rig.controller.count = 1;
  rig.controller.pointer = 1;
  rig.TickFile();
  // File dialogs shown before each request went out.
  std::vector<std::size_t> dialogs_before;
  rig.form().link.PortHandle = std::make_unique<FakePort>(rig.shell.clock, [&](const Bytes& request) {
    dialogs_before.push_back(rig.shell.dialogs.file_dialogs_shown.size());
    return rig.controller.Answer(request);
  });
  rig.Click(rig.form().ButContLog);
  EXPECT_EQ(dialogs_before, (std::vector<std::size_t>{0, 0, 1}));
}

TEST(TForm1Log, FileThatCannotBeCreatedIsToldWhenTheRetrievalEnds) {
  Rig rig;
  rig.controller.count = 2;
  rig.controller.pointer = 2;
  rig.form().chFile.SetChecked(true);
  const auto path = rig.shell.PathOf("gone") / "events.log";
  rig.shell.dialogs.file_answers.push_back(path);
  rig.Click(rig.form().ButContLog);
  EXPECT_EQ(rig.controller.record_indexes, Range(0, 1));
  ASSERT_EQ(rig.shell.dialogs.messages.size(), 1u);
  EXPECT_TRUE(rig.shell.dialogs.messages[0].starts_with(Cp1251FromUtf8("   Файл не записан: ") + Cp1251FromPath(path) + " ("))
      << rig.shell.dialogs.messages[0];
}

TEST(TForm1Log, PortThatCannotBeOpenedLeavesTheRetrievalEmpty) {
  Shell shell;
  shell.form->Edit1.Clear();
  shell.Click(shell.form->ButContLog);
  EXPECT_EQ(shell.dialogs.messages, std::vector<std::string>{Cp1251FromUtf8("   COM порт ???")});
  EXPECT_EQ(shell.form->Memo1.Text(), "OK=0");
  EXPECT_TRUE(shell.form->Label2.Hidden() && shell.form->Label5.Hidden());
}

}  // namespace
}  // namespace tarvex
