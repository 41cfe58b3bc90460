// The archive through the window: pointer query, RETRO with its count boxes, the
// zone shift, the pane, the output file and the ways a retrieval ends.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>


#include "app/testing/files.h"
#include "app/testing/model_port_rig.h"
#include "sim/model/fault.h"
#include "sim/model/reply_frames.h"

using tarvex::testing::FileBytes;
using tarvex::testing::ModelPortRig;

namespace {

constexpr std::uint8_t kRecordRead = 92;

std::vector<std::uint8_t> Record(int y, int mo, int d, int h, int mi, int s, float value) {
  std::vector<std::uint8_t> record{static_cast<std::uint8_t>(y),  static_cast<std::uint8_t>(mo),
                                   static_cast<std::uint8_t>(d),  static_cast<std::uint8_t>(h),
                                   static_cast<std::uint8_t>(mi), static_cast<std::uint8_t>(s)};
  const auto bytes = tarvex::sim::FloatBytes(value);
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
void TickIndex(tarvex::TForm1& form, const QString& beg) {
  form.Index->setChecked(true);
  form.Beg->setText(beg);
}

void ChooseFile(ModelPortRig& rig, const QString& path) {
  rig.form().chFile->setChecked(true);
  rig.shell.dialogs.file_answers.push_back(path);
}

// Z = 3: local 13 h, UTC 10 h.
void ZoneThreeHoursAhead(ModelPortRig& rig) { rig.shell.wall_clock.now = {{13, 5, 0}, {10, 5, 0}}; }

// The layout creates the button disabled; enabled, its click runs the bound handler.
void Press(QPushButton* button) {
  button->setEnabled(true);
  button->click();
}

}  // namespace

class TForm1ArchiveTest : public QObject {
  Q_OBJECT
 private slots:
  void PointerQueryShowsItsValueOrZero() {
    ModelPortRig rig;
    rig.form().Memo1->SetText(std::string_view("old"));
    rig.form().ButBegRetro->click();
    QCOMPARE(rig.form().Memo1->Text(), std::string("OK=600"));
    QCOMPARE(rig.form().RecordPointer, 600);
    QVERIFY(rig.OkShown() && !rig.NotOkShown());

    rig.model.AddFault(tarvex::sim::ParseFault("long:91:silence"));
    rig.form().ButBegRetro->click();
    QCOMPARE(rig.form().Memo1->Text(), std::string("OK=0"));
    QCOMPARE(rig.form().RecordPointer, 0);
    QVERIFY(!rig.OkShown() && rig.NotOkShown());
  }

  void LastTenAfterPointerOneWrapsRoundTheRing() {
    ModelPortRig rig;
    ZoneThreeHoursAhead(rig);
    SetArchive(rig, {Record(24, 3, 5, 4, 4, 9, 12.5f)});
    rig.form().Index->setChecked(false);
    rig.form().Last10->setChecked(true);
    Press(rig.form().ButContRetro);

    QCOMPARE(RequestedIndexes(rig), (std::vector<int>{992, 993, 994, 995, 996, 997, 998, 999, 1000, 0}));
    std::string expected = "OK=1";
    for (int index = 992; index <= 1000; ++index) {
      expected += (index < 1000 ? "\r\n  " : "\r\n ") + std::to_string(index) + "    0:00:00 00:00:00:   0.000";
    }
    expected += "\r\n    0 2024:03:05 07:04:09:  12.500";
    // One line per record, no empty line between them.
    QCOMPARE(rig.form().Memo1->Text(), expected);
    QCOMPARE(rig.form().Edi->text(), QString("0"));
    QCOMPARE(rig.form().RecordPointer, 0);
    QVERIFY(!rig.OkShown() && !rig.NotOkShown());
  }

  void NoRecordRequestedStillCreatesAnEmptyFile() {
    ModelPortRig rig;
    rig.form().chFile->setChecked(true);
    const QString path = tarvex::testing::OfferFile(rig.shell, "empty.ret", "old content");
    TickIndex(rig.form(), "0");
    Press(rig.form().ButContRetro);
    QVERIFY(RequestedIndexes(rig).empty());
    QCOMPARE(FileBytes(path), std::string());
    QCOMPARE(rig.shell.dialogs.file_dialogs_shown.size(), std::size_t{1});
    QCOMPARE(rig.shell.dialogs.file_dialogs_shown[0].default_extension, QString("ret"));
  }

  void OneReadsItsIndexUnreducedAndShowsOnlyTheValue() {
    ModelPortRig rig;
    std::vector<std::vector<std::uint8_t>> records(10, Record(24, 1, 1, 0, 0, 0, 1.0f));
    records[4] = Record(24, 1, 1, 0, 0, 0, 25.666f);  // 1005 lands in slot 4
    SetArchive(rig, records);
    const QString path = rig.shell.dir.filePath("one.ret");
    ChooseFile(rig, path);
    rig.form().Edi->setText("7");
    rig.form().ONE->setChecked(true);
    rig.form().EdONE->setText("1005");
    Press(rig.form().ButContRetro);

    QCOMPARE(RequestedIndexes(rig), std::vector<int>{1005});
    QCOMPARE(rig.form().EdVal->text(), QString("25"));
    QCOMPARE(rig.form().Memo1->Text(), std::string("OK=10"));
    QCOMPARE(rig.form().Edi->text(), QString("7"));
    QCOMPARE(FileBytes(path), std::string());
  }

  void BegThatIsNoIntegerEndsAfterTheFileIsCreated() {
    ModelPortRig rig;
    const QString path = rig.shell.dir.filePath("beg.ret");
    ChooseFile(rig, path);
    TickIndex(rig.form(), "abc");
    Press(rig.form().ButContRetro);
    QCOMPARE(rig.shell.dialogs.errors, QStringList{"'abc' is not a valid integer value"});
    QCOMPARE(rig.form().RecordPointer, 599);
    QVERIFY(QFile::exists(path));
    QVERIFY(RequestedIndexes(rig).empty());
  }

  void SaveDialogAsksAfterThePointerQuery() {
    ModelPortRig rig;
    TickIndex(rig.form(), "1");
    ChooseFile(rig, rig.shell.dir.filePath("after.ret"));
    // File dialogs shown before each request went out.
    std::vector<std::size_t> dialogs_before;
    const auto answer = tarvex::testing::ModelPeer(rig.model);
    rig.form().link.PortHandle = std::make_unique<tarvex::testing::FakePort>(
        rig.shell.clock, [&](const std::vector<std::uint8_t>& request) {
          dialogs_before.push_back(rig.shell.dialogs.file_dialogs_shown.size());
          return answer(request);
        });
    Press(rig.form().ButContRetro);
    QCOMPARE(dialogs_before, (std::vector<std::size_t>{0, 1}));
  }

  void FileThatCannotBeCreatedIsToldWhenTheRetrievalEnds() {
    ModelPortRig rig;
    TickIndex(rig.form(), "2");
    const QString path = rig.shell.dir.filePath("gone/archive.ret");
    ChooseFile(rig, path);
    Press(rig.form().ButContRetro);
    QCOMPARE(RequestedIndexes(rig).size(), std::size_t{2});
    QCOMPARE(rig.shell.dialogs.messages,
             QStringList{QString::fromUtf8("   Файл не записан: ") + path + " (no such file or directory)"});
  }

  void StopDoesNotEndAnArchiveRetrieval() {
    ModelPortRig rig;
    TickIndex(rig.form(), "10");
    // "Stop" is clicked at the first pump of the retrieval.
    QTimer::singleShot(0, rig.form().Button8, [&] { rig.form().Button8->click(); });
    Press(rig.form().ButContRetro);
    QVERIFY(rig.form().StopRequested);
    QCOMPARE(RequestedIndexes(rig).size(), std::size_t{10});
  }
};

QTEST_MAIN(TForm1ArchiveTest)
#include "tform1_archive_test.moc"
