// Script download, upload and clear against the simulated controller behind a fake port.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/handlers/command_guard.h"
#include "app/testing/files.h"
#include "app/testing/model_port_rig.h"
#include "app/widgets/text_pane.h"
#include "sim/model/fault.h"

using tarvex::testing::BytesOf;
using tarvex::testing::FileBytes;
using tarvex::testing::ModelPortRig;
using tarvex::testing::OfferFile;
using tarvex::testing::PutFile;
using tarvex::testing::StringOf;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A controller that answers the script upload with `reply` as it is.
void AnswerWith(ModelPortRig& rig, Bytes reply) {
  rig.form().link.PortHandle = std::make_unique<tarvex::testing::FakePort>(
      rig.shell.clock, [reply](const Bytes&) {
        return std::vector<tarvex::testing::Chunk>{{std::chrono::milliseconds(1), reply}};
      });
}

}  // namespace

class TForm1ScriptTest : public QObject {
  Q_OBJECT
 private slots:
  void DownloadSendsTheFileInOneFrame() {
    ModelPortRig rig;
    auto& f = rig.form();
    const QString path = rig.shell.dir.filePath("three.scr");
    PutFile(path, std::string("a\0c", 3));
    rig.shell.dialogs.file_answers = {path};
    f.DownScr->click();
    QCOMPARE(rig.writes().size(), std::size_t{1});
    QCOMPARE(rig.model.script(), BytesOf(std::string("a\0c", 3)));
    QVERIFY(rig.OkShown() && !rig.NotOkShown());
    // The caption is the chosen file's path.
    QCOMPARE(f.windowTitle(), path);
    QCOMPARE(f.Memo1->Text(), std::string("a"));
    QCOMPARE(f.ConfigTextLength, 3);
  }

  void CancelledDialogSendsTheTextHeld() {
    ModelPortRig rig;
    auto& f = rig.form();
    f.DownScr->click();
    // Right after start nothing is held: an empty script, 14 bytes.
    QCOMPARE(rig.writes().size(), std::size_t{1});
    QCOMPARE(rig.writes()[0].size(), std::size_t{14});
    QVERIFY(rig.model.script().empty());
    QCOMPARE(f.Memo1->Text(), std::string("\r\n"));

    // After "Save cfg" the saved length of whatever ConfigText holds goes.
    f.Memo->SetText(std::string_view("xy"));
    rig.shell.dialogs.file_answers = {rig.shell.dir.filePath("c.cfg"), std::nullopt};
    f.Sav->click();
    const std::string held("scriptbody");
    std::ranges::copy(held, f.ConfigText.begin());
    f.DownScr->click();
    QCOMPARE(rig.writes().back().size(), std::size_t{16});
    QCOMPARE(StringOf(rig.model.script()), std::string("sc"));
  }

  void ScriptsBeyondTheLengthFieldAreRefused() {
    ModelPortRig rig;
    auto& f = rig.form();
    const QString path = rig.shell.dir.filePath("s.scr");
    PutFile(path, std::string(247, 'm'));
    rig.shell.dialogs.file_answers = {path};
    f.DownScr->click();
    QCOMPARE(rig.writes().size(), std::size_t{1});
    QCOMPARE(rig.model.script().size(), std::size_t{247});

    PutFile(path, std::string(248, 'n'));
    rig.shell.dialogs.file_answers = {path};
    f.DownScr->click();
    QCOMPARE(rig.writes().size(), std::size_t{1});
    QVERIFY(rig.NotOkShown() && !rig.OkShown());
    QCOMPARE(f.Memo1->Text(), std::string(248, 'n'));
    QCOMPARE(rig.model.script().size(), std::size_t{247});
  }

  void AFileThatCannotBeReadSendsNothing() {
    ModelPortRig rig;
    auto& f = rig.form();
    const QString path = OfferFile(rig.shell, "old.scr", "longer old script");
    f.DownScr->click();
    // A folder cannot be opened as a file.
    const QString folder = rig.shell.dir.filePath("folder.scr");
    QVERIFY(QDir().mkdir(folder));
    rig.shell.dialogs.file_answers = {folder};
    f.DownScr->click();
    QCOMPARE(rig.writes().size(), std::size_t{1});
    QVERIFY(rig.NotOkShown() && !rig.OkShown());
    QCOMPARE(f.Memo1->Text(), std::string());
    QCOMPARE(f.ConfigTextLength, 0);
    QCOMPARE(StringOf(rig.model.script()), std::string("longer old script"));

    // A shorter script leaves no trace of the longer one.
    PutFile(path, "new");
    rig.shell.dialogs.file_answers = {path};
    f.DownScr->click();
    QCOMPARE(f.Memo1->Text(), std::string("new"));
    QCOMPARE(StringOf(rig.model.script()), std::string("new"));
  }

  void NoReplyShowsNotOk() {
    ModelPortRig rig;
    rig.model.AddFault(tarvex::sim::ParseFault("long:12:silence"));
    rig.form().Label2->show();
    rig.form().DownScr->click();
    QVERIFY(rig.NotOkShown() && !rig.OkShown());
    QVERIFY(rig.shell.dialogs.messages.isEmpty());
  }

  void UploadShowsTheScriptAndWritesItByteExact() {
    ModelPortRig rig;
    auto& f = rig.form();
    rig.model.script() = BytesOf(std::string("top\r\nend\0after\xFF", 15));
    f.Label5->show();
    rig.shell.dialogs.file_answers = {rig.shell.dir.filePath("back.log")};
    f.ButtonUp->click();
    QCOMPARE(rig.writes().size(), std::size_t{1});
    const QString path = rig.shell.dir.filePath("back.log");
    QCOMPARE(FileBytes(path), std::string("top\r\nend\0after\xFF", 15));
    QCOMPARE(f.Memo1->Text(), std::string("top\r\nend"));
    QCOMPARE(f.windowTitle(), path);
    QVERIFY(!rig.OkShown() && !rig.NotOkShown());
  }

  void UploadReplyLengthDecides() {
    ModelPortRig rig;
    auto& f = rig.form();
    // 11 bytes, as many as L = 5 in bytes 2..3 says: a one-byte script; the checksums
    // are not looked at.
    AnswerWith(rig, {1, 2, 5, 0, 5, 6, 7, 8, 'Z', 0xEE, 0xEE});
    rig.shell.dialogs.file_answers = {rig.shell.dir.filePath("one.scr")};
    f.ButtonUp->click();
    QCOMPARE(FileBytes(rig.shell.dir.filePath("one.scr")), std::string("Z"));
    QCOMPARE(f.Memo1->Text(), std::string("Z"));

    // 10 bytes: nothing; the file is not created and the pane stays.
    AnswerWith(rig, {1, 2, 3, 4, 5, 6, 7, 8, 0xEE, 0xEE});
    rig.shell.dialogs.file_answers = {rig.shell.dir.filePath("none.scr")};
    f.ButtonUp->click();
    QVERIFY(!QFile::exists(rig.shell.dir.filePath("none.scr")));
    QVERIFY(rig.NotOkShown() && !rig.OkShown());
    QCOMPARE(f.Memo1->Text(), std::string("Z"));
  }

  void UploadIntoAnUnwritableFileEmptiesThePane() {
    ModelPortRig rig;
    auto& f = rig.form();
    rig.shell.dialogs.file_answers = {rig.shell.dir.filePath("no/such/folder.scr")};
    f.ButtonUp->click();
    QCOMPARE(f.Memo1->Text(), std::string());
    QCOMPARE(rig.writes().size(), std::size_t{1});
  }

  void CancelledUploadSendsNothing() {
    ModelPortRig rig;
    auto& f = rig.form();
    f.Label2->show();
    f.ButtonUp->click();
    QVERIFY(rig.writes().empty());
    QVERIFY(!rig.OkShown() && !rig.NotOkShown());
    QCOMPARE(rig.shell.dialogs.file_dialogs_shown.back().default_extension, QString("log"));
  }

  void ClearAsksFirst() {
    ModelPortRig rig;
    auto& f = rig.form();
    f.Label2->show();
    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kNo};
    f.Down_testik->click();
    QVERIFY(rig.writes().empty());
    QVERIFY(rig.OkShown() && !rig.NotOkShown());

    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    rig.model.AddFault(tarvex::sim::ParseFault("long:25:silence:count=1"));
    f.Down_testik->click();
    QVERIFY(rig.NotOkShown() && !rig.OkShown());
    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    f.Down_testik->click();
    QVERIFY(rig.OkShown() && !rig.NotOkShown());
    QCOMPARE(rig.writes().size(), std::size_t{2});
    QCOMPARE(rig.shell.dialogs.confirmations_asked, 3);
  }

  void ScriptCommandsWaitForTheRunningOne() {
    ModelPortRig rig;
    auto& f = rig.form();
    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    tarvex::CommandGuard running(f.CommandRunning);
    f.DownScr->click();
    f.ButtonUp->click();
    f.Down_testik->click();
    QVERIFY(rig.writes().empty());
    QCOMPARE(rig.shell.dialogs.confirmations_asked, 0);
    QVERIFY(rig.shell.dialogs.file_dialogs_shown.empty());
  }
};

QTEST_MAIN(TForm1ScriptTest)
#include "tform1_script_test.moc"
