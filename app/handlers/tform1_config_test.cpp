// Configuration pane, files and transfer, set test, test and reboot, against the
// simulated controller behind a fake port.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/handlers/command_guard.h"
#include "app/testing/files.h"
#include "app/testing/model_port_rig.h"
#include "app/widgets/cp1251.h"
#include "app/widgets/text_pane.h"
#include "sim/model/fault.h"

using tarvex::testing::BytesOf;
using tarvex::testing::FileBytes;
using tarvex::testing::ModelPortRig;
using tarvex::testing::OfferFile;
using tarvex::testing::PutFile;
using tarvex::testing::Shell;
using tarvex::testing::StringOf;

namespace {

const QString kOk = "       OK";
const QString kNotOk = "      NOT OK";

std::string ConfigTextOf(const tarvex::TForm1& form) {
  return std::string(reinterpret_cast<const char*>(form.ConfigText.data()));
}

}  // namespace

class TForm1ConfigTest : public QObject {
  Q_OBJECT
 private slots:
  void WithoutAPortEveryCommandAsksForOne() {
    Shell shell;
    auto& f = *shell.form;
    f.Memo->SetText(std::string_view("kept"));
    f.Label->setText(" . ");
    f.Set_Test->click();
    f.BuReboot->click();
    f.Run(&tarvex::TForm1::TestClick);
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(f.Memo->Text(), std::string("kept"));
    f.Upl->click();
    QCOMPARE(f.Memo->Text(), std::string());
    f.Upl_test->click();
    QCOMPARE(shell.dialogs.messages, QStringList(6, "       COM?"));
    QCOMPARE(f.Label->text(), QString());
    QVERIFY(shell.dialogs.errors.isEmpty());
  }

  void UploadShowsTheConfigurationAndTheTestConfiguration() {
    ModelPortRig rig;
    auto& f = rig.form();
    rig.model.config() = tarvex::sim::ConfigStore(BytesOf("{\"a\":1,\r\n\"b\":\"\xCF\xF0\xE8\xE2\xE5\xF2\"}"),
                                                  BytesOf("{\"test\":true}"));
    f.Upl->click();
    QCOMPARE(rig.shell.dialogs.messages, QStringList{kOk});
    QCOMPARE(f.Memo->Text(), std::string("{\"a\":1,\r\n\"b\":\"\xCF\xF0\xE8\xE2\xE5\xF2\"}"));
    QCOMPARE(f.Memo->toPlainText(), QString::fromUtf8("{\"a\":1,\n\"b\":\"Привет\"}"));
    QCOMPARE(f.Label->text(), QString());
    // The first request is the configuration read command of the example.
    QCOMPARE(rig.writes().front(), (std::vector<std::uint8_t>{0x05, 0x64, 0x03, 0x0B, 0x01, 0x06, 0x00,
                                                             0x00, 0x00, 0x3D, 0x48, 0x1B}));
    f.Upl_test->click();
    QCOMPARE(f.Memo->Text(), std::string("{\"test\":true}"));
    QCOMPARE(ConfigTextOf(f), std::string("{\"test\":true}"));
  }

  void FailedOrEmptyReadsShowNothing() {
    {
      ModelPortRig rig;
      rig.model.config() = tarvex::sim::ConfigStore({}, {});
      rig.form().Memo->SetText(std::string_view("old"));
      rig.form().Upl->click();
      QCOMPARE(rig.shell.dialogs.messages, QStringList{kNotOk});
      QCOMPARE(rig.form().Memo->Text(), std::string());
    }
    {
      // Two blocks arrive, the third reply is broken: nothing received is shown.
      ModelPortRig rig;
      rig.model.AddFault(tarvex::sim::ParseFault("block:17:bad-header-crc:after=2"));
      rig.form().Upl->click();
      QCOMPARE(rig.shell.dialogs.messages, QStringList{kNotOk});
      QCOMPARE(rig.form().Memo->Text(), std::string());
      QVERIFY(rig.TraceLines().contains("Upload ->(80) "));
    }
  }

  void WriteCarriesTheCp1251TextWithCrLf() {
    ModelPortRig rig;
    auto& f = rig.form();
    f.Memo->SetText(QString::fromUtf8("{\r\n\"имя\": \"Ёж\"\r\n}"));
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(rig.shell.dialogs.messages, QStringList{kOk});
    const std::string expected("{\r\n\"\xE8\xEC\xFF\": \"\xA8\xE6\"\r\n}");
    QCOMPARE(StringOf(rig.model.config().configuration()), expected);
    QCOMPARE(ConfigTextOf(f), expected);
    QCOMPARE(f.Label->text(), QString());
  }

  void WritesThatCannotBeSentSendNothing() {
    ModelPortRig rig;
    auto& f = rig.form();
    f.Run(&tarvex::TForm1::Down_testClick);
    // The text must keep its terminating 0 in the buffer: 50000 bytes are refused
    // whole, not cut.
    f.Memo->SetText(std::string_view(std::string(50000, 'z')));
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(rig.shell.dialogs.messages, QStringList(2, kNotOk));
    QVERIFY(rig.writes().empty());
    QVERIFY(rig.TraceLines().isEmpty());
  }

  void TheLongestTextIsWrittenWhole() {
    ModelPortRig rig;
    auto& f = rig.form();
    std::string text(49999, 'w');
    text.back() = 'E';
    f.Memo->SetText(std::string_view(text));
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(rig.shell.dialogs.messages, QStringList{kOk});
    QCOMPARE(rig.model.config().configuration().size(), std::size_t{49999});
  }

  void AWriteBrokenAtABlockStopsThereWithoutStop() {
    ModelPortRig rig;
    auto& f = rig.form();
    const auto before = rig.model.config().configuration();
    rig.model.AddFault(tarvex::sim::ParseFault("block:16:bad-header-crc:after=2"));
    f.Memo->SetText(std::string_view(std::string(200, 'k')));
    f.Run(&tarvex::TForm1::Down_testClick);
    QCOMPARE(rig.shell.dialogs.messages, QStringList{kNotOk});
    QCOMPARE(rig.writes().size(), std::size_t{4});  // START and three blocks
    const QStringList trace = rig.TraceLines();
    QVERIFY(trace.contains("Command START Send ok"));
    const int last_block = trace.indexOf("DOWN_NEXT   adr=80 n=40");
    QVERIFY(last_block > 0);
    QCOMPARE(trace.mid(last_block + 1).filter("Command NEXT Send not ok").size(), 1);
    QVERIFY(!trace.contains("DOWN_NEXT   adr=120 n=40"));
    QVERIFY(trace.filter("STOP").isEmpty());
    QCOMPARE(rig.model.config().configuration(), before);
  }

  void VerdictsOfTheConfigurationTest() {
    const std::pair<int, QString> cases[] = {
        {0, "       OK"},          {1, "   NOT OK = bad json"}, {2, "   NOT OK = no memory"},
        {3, "   NOT OK = no file"}, {7, "   NOT OK = "},        {255, "   NOT OK = "},
    };
    for (const auto& [verdict, message] : cases) {
      ModelPortRig rig;
      rig.model.set_verdict(static_cast<std::uint8_t>(verdict));
      rig.form().Run(&tarvex::TForm1::TestClick);
      QCOMPARE(rig.shell.dialogs.messages, QStringList{message});
      QCOMPARE(rig.form().Label->text(), QString());
    }
    ModelPortRig silent;
    silent.model.AddFault(tarvex::sim::ParseFault("short:55:silence"));
    silent.form().Run(&tarvex::TForm1::TestClick);
    QCOMPARE(silent.shell.dialogs.messages, QStringList{"      NOT OK = -1"});
  }

  void SetTestAnswersWithATrailingBlankOnFailure() {
    ModelPortRig rig;
    auto& f = rig.form();
    f.Memo->SetText(std::string_view("pane"));
    f.Set_Test->click();
    rig.model.AddFault(tarvex::sim::ParseFault("short:54:silence"));
    f.Set_Test->click();
    QCOMPARE(rig.shell.dialogs.messages, (QStringList{kOk, "      NOT OK "}));
    QCOMPARE(f.Memo->Text(), std::string("pane"));
    QCOMPARE(f.Label->text(), QString());
  }

  void RebootClosesThePortWhateverTheAnswer() {
    for (const bool silent : {false, true}) {
      ModelPortRig rig;
      auto& f = rig.form();
      if (silent) rig.model.AddFault(tarvex::sim::ParseFault("short:99:silence"));
      f.BuReboot->click();
      QCOMPARE(rig.shell.dialogs.messages, QStringList{silent ? "      NOT OK " : kOk});
      QVERIFY(!f.link.PortHandle);
      QVERIFY(f.ok->isHidden());
      QCOMPARE(f.Label->text(), QString());
    }
  }

  void OpenShowsTheFileAndCaptionsTheWindow() {
    Shell shell;
    auto& f = *shell.form;
    const QString path = OfferFile(shell, "lf.cfg", "{\n\"x\": 1\r}\n");
    f.Ope->click();
    QCOMPARE(f.windowTitle(), path);
    QCOMPARE(f.ConfigTextLength, 11);
    QCOMPARE(f.Memo->toPlainText(), QString("{\n\"x\": 1\n}\n"));
    // Saved back to the same file (closed after reading), with CR LF.
    shell.dialogs.file_answers = {path};
    f.Sav->click();
    QCOMPARE(FileBytes(path), std::string("{\r\n\"x\": 1\r\n}\r\n"));
    QCOMPARE(f.ConfigTextLength, 14);
    QCOMPARE(shell.dialogs.file_dialogs_shown.size(), std::size_t{2});
    for (const auto& dialog : shell.dialogs.file_dialogs_shown) {
      QCOMPARE(dialog.filter_pattern, QString("*.cfg"));
      QCOMPARE(dialog.default_extension, QString("json"));
    }
    QVERIFY(shell.dialogs.messages.isEmpty());
  }

  void SaveWritesThePaneAsItIs() {
    Shell shell;
    auto& f = *shell.form;
    f.Memo->SetText(std::string_view("a\r\nb"));
    shell.dialogs.file_answers = {shell.dir.filePath("two.json")};
    f.Sav->click();
    QCOMPARE(FileBytes(shell.dir.filePath("two.json")), std::string("a\r\nb"));
    QCOMPARE(f.ConfigTextLength, 4);
    QCOMPARE(f.windowTitle().trimmed(), QString("TARVEX"));
    // Save leaves ConfigText alone; a cancelled dialog does nothing.
    QCOMPARE(ConfigTextOf(f), std::string());
    f.Memo->SetText(std::string_view("other"));
    f.Sav->click();
    QCOMPARE(FileBytes(shell.dir.filePath("two.json")), std::string("a\r\nb"));
    QCOMPARE(f.ConfigTextLength, 4);
  }

  void EmptyMissingAndUnreadableFiles() {
    Shell shell;
    auto& f = *shell.form;
    const QString first = OfferFile(shell, "first.cfg", "held");
    f.Ope->click();
    f.Memo->SetText(std::string_view("edited"));

    // A missing file is created empty; the pane shows the text held before.
    const QString missing = shell.dir.filePath("missing.cfg");
    shell.dialogs.file_answers = {missing};
    f.Ope->click();
    QVERIFY(QFile::exists(missing));
    QCOMPARE(f.Memo->Text(), std::string("held"));
    QCOMPARE(f.ConfigTextLength, 4);
    QCOMPARE(f.windowTitle(), missing);

    // A folder cannot be opened; a file without room for the terminating 0 is refused.
    const QString folder = shell.dir.filePath("folder.cfg");
    QVERIFY(QDir().mkdir(folder));
    const QString too_large = shell.dir.filePath("large.cfg");
    PutFile(too_large, std::string(50000, 'L'));
    for (const QString& path : {folder, too_large}) {
      shell.dialogs.file_answers = {first};
      f.Ope->click();
      shell.dialogs.file_answers = {path};
      f.Ope->click();
      QCOMPARE(f.Memo->Text(), std::string());
      QCOMPARE(f.ConfigTextLength, 0);
      QVERIFY(std::ranges::all_of(f.ConfigText, [](std::uint8_t b) { return b == 0; }));
    }

    // The largest file that fits is loaded whole.
    PutFile(too_large, std::string(49999, 'L'));
    shell.dialogs.file_answers = {too_large};
    f.Ope->click();
    QCOMPARE(f.ConfigTextLength, 49999);
    QCOMPARE(f.Memo->Text().size(), std::size_t{49999});
    QVERIFY(shell.dialogs.messages.isEmpty() && shell.dialogs.errors.isEmpty());
  }

  void CommandsWaitForTheRunningOne() {
    ModelPortRig rig;
    auto& f = rig.form();
    OfferFile(rig.shell, "f.cfg", "file");
    tarvex::CommandGuard running(f.CommandRunning);
    f.Upl->click();
    f.Ope->click();
    f.BuReboot->click();
    QVERIFY(rig.writes().empty());
    QVERIFY(rig.shell.dialogs.messages.isEmpty());
    QVERIFY(rig.shell.dialogs.file_dialogs_shown.empty());
    QCOMPARE(f.Memo->Text(), std::string());
  }
};

QTEST_MAIN(TForm1ConfigTest)
#include "tform1_config_test.moc"
