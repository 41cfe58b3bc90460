// The event log handlers against a scripted controller on a fake port (the fake
// clock makes the 13 s silent wait instant).
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/testing/files.h"
#include "app/testing/shell.h"
#include "app/widgets/text_pane.h"

using tarvex::Dialogs;
using tarvex::testing::Chunk;
using tarvex::testing::FakePort;
using tarvex::testing::FileBytes;
using tarvex::testing::MakeLongReply;
using tarvex::testing::Shell;

namespace {

using Bytes = std::vector<std::uint8_t>;

// True while this process holds a descriptor on the file.
bool HeldOpen(const QString& path) {
  const auto target = std::filesystem::canonical(path.toStdString());
  for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(fd.path(), error) == target) return true;
  }
  return false;
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
    shell.form->ok->show();
  }
  tarvex::TForm1& form() { return *shell.form; }
  std::string Pane() const { return shell.form->Memo1->Text(); }
  // Chooses the output file for the next LOG.
  QString TickFile() {
    form().chFile->setChecked(true);
    const QString path = shell.dir.filePath("events.log");
    shell.dialogs.file_answers.push_back(path);
    return path;
  }
  bool OkShown() const { return !shell.form->Label2->isHidden(); }
  bool NotOkShown() const { return !shell.form->Label5->isHidden(); }

  Shell shell;
  Controller controller;
};

std::vector<int> Range(int first, int last) {
  std::vector<int> indexes;
  for (int i = first; i <= last; ++i) indexes.push_back(i);
  return indexes;
}

}  // namespace

class TForm1LogTest : public QObject {
  Q_OBJECT
 private slots:
  void EmptyLogRequestsNoRecord() {
    Rig rig;
    rig.controller.count = 0;
    rig.controller.pointer = 123;
    const QString path = rig.TickFile();
    rig.form().ButContLog->click();
    QCOMPARE(rig.controller.requests.size(), std::size_t{2});
    QCOMPARE(rig.Pane(), std::string("OK=123\r\npointer = 123\r\n"));
    QCOMPARE(FileBytes(path), std::string("pointer = 123\r\n"));
    QVERIFY(!rig.OkShown() && !rig.NotOkShown());
    QCOMPARE(rig.shell.dialogs.file_dialogs_shown.size(), std::size_t{1});
    QCOMPARE(rig.shell.dialogs.file_dialogs_shown[0].default_extension, QString("log"));
  }

  void CountBoxesKeepEachOtherApart() {
    Rig rig;
    auto& f = rig.form();
    const std::vector<QCheckBox*> boxes{f.Last500, f.Last100, f.Last10, f.Index, f.ONE};
    auto ticked = [&] {
      std::vector<bool> state;
      for (QCheckBox* box : boxes) state.push_back(box->isChecked());
      return state;
    };
    auto set_all = [&] {
      for (QCheckBox* box : boxes) box->setChecked(true);
    };
    // Box clicked -> state of Last500, Last100, Last10, Index, ONE after it, from all ticked.
    set_all();
    f.Last10->setChecked(false);
    f.Last10->click();
    QCOMPARE(ticked(), (std::vector<bool>{false, false, true, false, false}));
    set_all();
    f.Last500->setChecked(false);
    f.Last500->click();
    QCOMPARE(ticked(), (std::vector<bool>{true, false, false, false, true}));
    set_all();
    f.Last100->setChecked(false);
    f.Last100->click();
    QCOMPARE(ticked(), (std::vector<bool>{false, true, false, false, true}));
    set_all();
    f.Index->setChecked(false);
    f.Index->click();
    QCOMPARE(ticked(), (std::vector<bool>{false, false, false, true, true}));
    set_all();
    f.ONE->setChecked(false);
    f.ONE->click();
    QCOMPARE(ticked(), (std::vector<bool>{true, true, false, true, true}));

    // Unticking changes no other box.
    set_all();
    f.Last500->click();
    QCOMPARE(ticked(), (std::vector<bool>{false, true, true, true, true}));

    // From the start state, unticking Index leaves all four count boxes unticked, and
    // LOG then reads no record.
    Rig fresh;
    fresh.form().Index->click();
    QVERIFY(!fresh.form().Index->isChecked() && !fresh.form().Last10->isChecked() &&
            !fresh.form().Last100->isChecked() && !fresh.form().Last500->isChecked());
    fresh.controller.count = 2000;
    fresh.controller.pointer = 50;
    fresh.form().ButContLog->click();
    QVERIFY(fresh.controller.record_indexes.empty());
    QCOMPARE(fresh.Pane(), std::string("OK=50"));
  }

  void ClearLogAsksFirst() {
    Rig rig;
    rig.shell.dialogs.confirm_answers = {Dialogs::kNo};
    rig.form().ButKillLog->click();
    QCOMPARE(rig.shell.dialogs.confirmations_asked, 1);
    QVERIFY(rig.controller.requests.empty());
    QVERIFY(!rig.OkShown() && !rig.NotOkShown());

    rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
    rig.form().ButKillLog->click();
    QCOMPARE(rig.controller.requests.size(), std::size_t{1});
    QCOMPARE(rig.controller.requests[0][6], std::uint8_t{0x1B});
    QVERIFY(rig.OkShown() && !rig.NotOkShown());

    rig.controller.silent = true;
    rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
    rig.form().ButKillLog->click();
    QVERIFY(!rig.OkShown() && rig.NotOkShown());
  }

  void CancelledFileDialogMeansNoFileAndNoPointerLine() {
    Rig rig;
    rig.controller.count = 2;
    rig.controller.pointer = 2;
    rig.form().chFile->setChecked(true);
    rig.form().ButContLog->click();
    QCOMPARE(rig.shell.dialogs.file_dialogs_shown.size(), std::size_t{1});
    QCOMPARE(rig.Pane(), std::string("OK=2\r\n<2024.03.07-09:05:00 r0\r\n<2024.03.07-09:05:00 r1\r\n\r\n"));
    QVERIFY(QDir(rig.shell.dir.path()).entryList({"*.log"}, QDir::Files).isEmpty());
  }

  void QueriesShowOkAndZeroWhenTheControllerIsSilent() {
    Rig rig;
    rig.controller.silent = true;
    rig.form().Label5->show();
    const auto before = rig.shell.clock.Now();
    rig.form().ButContCount->click();
    QCOMPARE(rig.Pane(), std::string("OK=0"));
    QVERIFY(rig.OkShown() && !rig.NotOkShown());
    QVERIFY(rig.shell.clock.Now() - before >= std::chrono::seconds(13));
    QCOMPARE(rig.form().RecordPointer, 0);

    rig.controller.silent = false;
    rig.controller.pointer = 1234;
    rig.form().Memo1->AddLine(std::string_view("old"));
    rig.form().ButBegLog->click();
    QCOMPARE(rig.Pane(), std::string("OK=1234"));
    QCOMPARE(rig.form().RecordPointer, 1234);
    rig.controller.silent = true;
    rig.form().Label5->show();
    rig.form().ButBegLog->click();
    QCOMPARE(rig.Pane(), std::string("OK=0"));
    QVERIFY(rig.OkShown() && !rig.NotOkShown());
  }

  void ConversionErrorEndsTheRetrievalWithTheFileComplete() {
    Rig rig;
    rig.controller.count = 100;
    rig.controller.pointer = 100;
    const QString path = rig.TickFile();
    rig.form().Beg->setText("abc");
    rig.form().ButContLog->click();
    QCOMPARE(rig.shell.dialogs.errors, QStringList{"'abc' is not a valid integer value"});
    QVERIFY(rig.controller.record_indexes.empty());
    QCOMPARE(FileBytes(path), std::string("pointer = 100\r\n"));
    QVERIFY(!HeldOpen(path));
    // The command is over: the next one runs.
    rig.form().ButContCount->click();
    QCOMPARE(rig.Pane(), std::string("OK=100"));
  }

  void PaneAndFileLinesFollowTheRecordKinds() {
    {
      Rig rig;
      rig.controller.count = 3;
      rig.controller.pointer = 3;
      rig.form().Edi->setText("x");
      rig.controller.record = [](int index) {
        return std::string(index == 2 ? ">" : "<") + "2024.03.07-09:05:00 " + char('A' + index);
      };
      rig.form().ButContLog->click();
      QCOMPARE(rig.Pane(), std::string("OK=3\r\n<2024.03.07-09:05:00 A\r\n<2024.03.07-09:05:00 B\r\n\r\n"
                                       ">2024.03.07-09:05:00 C\r\n"));
      QCOMPARE(rig.form().Edi->text(), QString("3"));
    }
    {  // the folding example, and a ">" line cut short by a zero byte, in the file
      Rig rig;
      rig.controller.count = 2;
      rig.controller.pointer = 9;
      rig.controller.record = [](int index) {
        return index == 7 ? std::string("<2024.03.07-09:05:00 \r\nAB\r\n\r\nCD")
                          : std::string(">2024.03.07-09:05:00 X\0Y", 24);
      };
      const QString path = rig.TickFile();
      rig.form().ButContLog->click();
      QCOMPARE(rig.Pane(), std::string("OK=9\r\npointer = 9\r\n<2024.03.07-09:05:00 AB CD\r\n\r\n"
                                       ">2024.03.07-09:05:00 X\r\n"));
      QCOMPARE(FileBytes(path), std::string("pointer = 9\r\n<2024.03.07-09:05:00 AB CD\r\n"
                                            ">2024.03.07-09:05:00 X\0Y\r\n", 67));
      QCOMPARE(rig.form().Edi->text(), QString("2"));
    }
  }

  void StopEndsAfterTheCurrentRecordAndOtherCommandsAreRefused() {
    Rig rig;
    rig.controller.count = 2000;
    rig.controller.pointer = 500;
    rig.form().Last500->click();
    rig.form().StopRequested = true;  // left over from an earlier run: cleared at start
    const QString path = rig.TickFile();
    std::string written_before_third;
    rig.controller.during_record_read = [&](int read) {
      if (read != 3) return;
      written_before_third = FileBytes(path);
      rig.form().ButContCount->click();
      rig.form().ButContLog->click();
      rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
      rig.form().ButKillLog->click();
      rig.form().Button8->click();
    };
    rig.form().ButContLog->click();
    QCOMPARE(rig.controller.record_indexes, Range(0, 2));
    QCOMPARE(rig.controller.requests.size(), std::size_t{5});
    QCOMPARE(rig.shell.dialogs.confirmations_asked, 0);
    std::string expected = "pointer = 500\r\n";
    for (int i : Range(0, 1)) expected += FoldedRecord(i) + "\r\n";
    // Each record is on disk before the next exchange.
    QCOMPARE(written_before_third, expected);
    expected += FoldedRecord(2) + "\r\n";
    QCOMPARE(FileBytes(path), expected);
  }

  void SaveDialogAsksAfterTheQueries() {
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
    rig.form().ButContLog->click();
    QCOMPARE(dialogs_before, (std::vector<std::size_t>{0, 0, 1}));
  }

  void FileThatCannotBeCreatedIsToldWhenTheRetrievalEnds() {
    Rig rig;
    rig.controller.count = 2;
    rig.controller.pointer = 2;
    rig.form().chFile->setChecked(true);
    const QString path = rig.shell.dir.filePath("gone/events.log");
    rig.shell.dialogs.file_answers.push_back(path);
    rig.form().ButContLog->click();
    QCOMPARE(rig.controller.record_indexes, Range(0, 1));
    QCOMPARE(rig.shell.dialogs.messages,
             QStringList{QString::fromUtf8("   Файл не записан: ") + path + " (no such file or directory)"});
  }

  void PortThatCannotBeOpenedLeavesTheRetrievalEmpty() {
    Shell shell;
    shell.form->Edit1->setText("");
    shell.form->ButContLog->click();
    QCOMPARE(shell.dialogs.messages, QStringList{QString::fromUtf8("   COM порт ???")});
    QCOMPARE(shell.form->Memo1->Text(), std::string("OK=0"));
    QVERIFY(shell.form->Label2->isHidden() && shell.form->Label5->isHidden());
  }
};

QTEST_MAIN(TForm1LogTest)
#include "tform1_log_test.moc"
