// Configuration pane, files and transfer, set test, test and reboot, against the
// simulated controller behind a fake port.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/handlers/command_guard.h"
#include "app/testing/model_port_rig.h"
#include "basics/cp1251_text.h"
#include "sim/model/fault.h"

namespace tarvex {
namespace {

using testing::BytesOf;
using testing::FileBytes;
using testing::ModelPortRig;
using testing::OfferFile;
using testing::PutFile;
using testing::Shell;
using testing::StringOf;
using Messages = std::vector<std::string>;

const std::string kOk = "       OK";
const std::string kNotOk = "      NOT OK";

std::string ConfigTextOf(const TForm1& form) { return reinterpret_cast<const char*>(form.ConfigText.data()); }

std::string& MainCaption(Shell& shell) { return shell.view.captions[static_cast<int>(Window::kForm1)]; }

TEST(TForm1Config, WithoutAPortEveryCommandAsksForOne) {
  Shell shell;
  TForm1& f = *shell.form;
  f.Memo.SetText("kept");
  f.Label.SetText(" . ");
  shell.Click(f.Set_Test);
  shell.Click(f.BuReboot);
  f.Run(&TForm1::TestClick);
  f.Run(&TForm1::Down_testClick);
  EXPECT_EQ(f.Memo.Text(), "kept");
  shell.Click(f.Upl);
  EXPECT_EQ(f.Memo.Text(), "");
  shell.Click(f.Upl_test);
  EXPECT_EQ(shell.dialogs.messages, Messages(6, "       COM?"));
  EXPECT_EQ(f.Label.Text(), "");
  EXPECT_TRUE(shell.dialogs.errors.empty());
}

TEST(TForm1Config, UploadShowsTheConfigurationAndTheTestConfiguration) {
  ModelPortRig rig;
  TForm1& f = rig.form();
  const std::string configuration = "{\"a\":1,\r\n\"b\":\"" + Cp1251FromUtf8("Привет") + "\"}";
  rig.model.config() = sim::ConfigStore(BytesOf(configuration), BytesOf("{\"test\":true}"));
  rig.shell.Click(f.Upl);
  EXPECT_EQ(rig.shell.dialogs.messages, Messages{kOk});
  EXPECT_EQ(f.Memo.Text(), configuration);
  EXPECT_EQ(f.Label.Text(), "");
  // The first request is the configuration read command of the example.
  EXPECT_EQ(rig.writes().front(),
            (std::vector<std::uint8_t>{0x05, 0x64, 0x03, 0x0B, 0x01, 0x06, 0x00, 0x00, 0x00, 0x3D, 0x48, 0x1B}));
  rig.shell.Click(f.Upl_test);
  EXPECT_EQ(f.Memo.Text(), "{\"test\":true}");
  EXPECT_EQ(ConfigTextOf(f), "{\"test\":true}");
}

TEST(TForm1Config, FailedOrEmptyReadsShowNothing) {
  {
    ModelPortRig rig;
    rig.model.config() = sim::ConfigStore({}, {});
    rig.form().Memo.SetText("old");
    rig.shell.Click(rig.form().Upl);
    EXPECT_EQ(rig.shell.dialogs.messages, Messages{kNotOk});
    EXPECT_EQ(rig.form().Memo.Text(), "");
  }
  {
    // Two blocks arrive, the third reply is broken: nothing received is shown.
    ModelPortRig rig;
    rig.model.AddFault(sim::ParseFault("block:17:bad-header-crc:after=2"));
    rig.shell.Click(rig.form().Upl);
    EXPECT_EQ(rig.shell.dialogs.messages, Messages{kNotOk});
    EXPECT_EQ(rig.form().Memo.Text(), "");
    EXPECT_GT(std::ranges::count(rig.TraceLines(), "Upload ->(80) "), 0);
  }
}

TEST(TForm1Config, WriteCarriesTheCp1251TextWithCrLf) {
  ModelPortRig rig;
  TForm1& f = rig.form();
  const std::string text = Cp1251FromUtf8("{\r\n\"имя\": \"Ёж\"\r\n}");
  f.Memo.SetText(text);
  f.Run(&TForm1::Down_testClick);
  EXPECT_EQ(rig.shell.dialogs.messages, Messages{kOk});
  EXPECT_EQ(StringOf(rig.model.config().configuration()), text);
  EXPECT_EQ(ConfigTextOf(f), text);
  EXPECT_EQ(f.Label.Text(), "");
}

TEST(TForm1Config, WritesThatCannotBeSentSendNothing) {
  ModelPortRig rig;
  TForm1& f = rig.form();
  f.Run(&TForm1::Down_testClick);
  // The text must keep its terminating 0 in the buffer: 50000 bytes are refused
  // whole, not cut.
  f.Memo.SetText(std::string(50000, 'z'));
  f.Run(&TForm1::Down_testClick);
  EXPECT_EQ(rig.shell.dialogs.messages, Messages(2, kNotOk));
  EXPECT_TRUE(rig.writes().empty());
  EXPECT_TRUE(rig.TraceLines().empty());
}

TEST(TForm1Config, TheLongestTextIsWrittenWhole) {
  ModelPortRig rig;
  std::string text(49999, 'w');
  text.back() = 'E';
  rig.form().Memo.SetText(text);
  rig.form().Run(&TForm1::Down_testClick);
  EXPECT_EQ(rig.shell.dialogs.messages, Messages{kOk});
  EXPECT_EQ(StringOf(rig.model.config().configuration()), text);
}

TEST(TForm1Config, AWriteBrokenAtABlockStopsThereWithoutStop) {
  ModelPortRig rig;
  TForm1& f = rig.form();
  const auto before = rig.model.config().configuration();
  rig.model.AddFault(sim::ParseFault("block:16:bad-header-crc:after=2"));
  f.Memo.SetText(std::string(200, 'k'));
  f.Run(&TForm1::Down_testClick);
  EXPECT_EQ(rig.shell.dialogs.messages, Messages{kNotOk});
  EXPECT_EQ(rig.writes().size(), 4u);  // START and three blocks
  const std::vector<std::string> trace = rig.TraceLines();
  EXPECT_NE(std::ranges::find(trace, "Command START Send ok"), trace.end());
  const auto last_block = std::ranges::find(trace, "DOWN_NEXT   adr=80 n=40");
  ASSERT_NE(last_block, trace.end());
  EXPECT_EQ(std::count(last_block + 1, trace.end(), "Command NEXT Send not ok"), 1);
  EXPECT_EQ(std::ranges::find(trace, "DOWN_NEXT   adr=120 n=40"), trace.end());
  EXPECT_TRUE(std::ranges::none_of(trace, [](const std::string& line) { return line.find("STOP") != line.npos; }));
  EXPECT_EQ(rig.model.config().configuration(), before);
}

TEST(TForm1Config, VerdictsOfTheConfigurationTest) {
  const std::pair<int, const char*> cases[] = {
      {0, "       OK"},          {1, "   NOT OK = bad json"}, {2, "   NOT OK = no memory"},
      {3, "   NOT OK = no file"}, {7, "   NOT OK = "},        {255, "   NOT OK = "},
  };
  for (const auto& [verdict, message] : cases) {
    ModelPortRig rig;
    rig.model.set_verdict(static_cast<std::uint8_t>(verdict));
    rig.form().Run(&TForm1::TestClick);
    EXPECT_EQ(rig.shell.dialogs.messages, Messages{message}) << verdict;
    EXPECT_EQ(rig.form().Label.Text(), "");
  }
  ModelPortRig silent;
  silent.model.AddFault(sim::ParseFault("short:55:silence"));
  silent.form().Run(&TForm1::TestClick);
  EXPECT_EQ(silent.shell.dialogs.messages, Messages{"      NOT OK = -1"});
}

TEST(TForm1Config, SetTestAnswersWithATrailingBlankOnFailure) {
  ModelPortRig rig;
  TForm1& f = rig.form();
  f.Memo.SetText("pane");
  rig.shell.Click(f.Set_Test);
  rig.model.AddFault(sim::ParseFault("short:54:silence"));
  rig.shell.Click(f.Set_Test);
  EXPECT_EQ(rig.shell.dialogs.messages, (Messages{kOk, "      NOT OK "}));
  EXPECT_EQ(f.Memo.Text(), "pane");
  EXPECT_EQ(f.Label.Text(), "");
}

TEST(TForm1Config, RebootClosesThePortWhateverTheAnswer) {
  for (const bool silent : {false, true}) {
    ModelPortRig rig;
    TForm1& f = rig.form();
    if (silent) rig.model.AddFault(sim::ParseFault("short:99:silence"));
    rig.shell.Click(f.BuReboot);
    EXPECT_EQ(rig.shell.dialogs.messages, Messages{silent ? "      NOT OK " : kOk});
    EXPECT_FALSE(f.link.PortHandle);
    EXPECT_TRUE(f.ok.Hidden());
    EXPECT_EQ(f.Label.Text(), "");
  }
}

TEST(TForm1Config, OpenShowsTheFileAndCaptionsTheWindow) {
  Shell shell;
  TForm1& f = *shell.form;
  const auto path = OfferFile(shell, "lf.cfg", "{\n\"x\": 1\r}\n");
  shell.Click(f.Ope);
  EXPECT_EQ(MainCaption(shell), Cp1251FromPath(path));
  EXPECT_EQ(f.ConfigTextLength, 11);
  EXPECT_EQ(f.Memo.Text(), "{\r\n\"x\": 1\r\n}\r\n");
  // Saved back to the same file (closed after reading), with CR LF.
  shell.dialogs.file_answers = {path};
  shell.Click(f.Sav);
  EXPECT_EQ(FileBytes(path), "{\r\n\"x\": 1\r\n}\r\n");
  EXPECT_EQ(f.ConfigTextLength, 14);
  ASSERT_EQ(shell.dialogs.file_dialogs_shown.size(), 2u);
  for (const auto& dialog : shell.dialogs.file_dialogs_shown) {
    EXPECT_EQ(dialog.filter_pattern, "*.cfg");
    EXPECT_EQ(dialog.default_extension, "json");
  }
  EXPECT_TRUE(shell.dialogs.messages.empty());
}

TEST(TForm1Config, SaveWritesThePaneAsItIs) {
  Shell shell;
  TForm1& f = *shell.form;
  const std::string caption = MainCaption(shell);
  const auto path = shell.PathOf("two.json");
  f.Memo.SetText("a\r\nb");
  shell.dialogs.file_answers = {path};
  shell.Click(f.Sav);
  EXPECT_EQ(FileBytes(path), "a\r\nb");
  EXPECT_EQ(f.ConfigTextLength, 4);
  EXPECT_EQ(MainCaption(shell), caption);
  // Save leaves ConfigText alone; a cancelled dialog does nothing.
  EXPECT_EQ(ConfigTextOf(f), "");
  f.Memo.SetText("other");
  shell.Click(f.Sav);
  EXPECT_EQ(FileBytes(path), "a\r\nb");
  EXPECT_EQ(f.ConfigTextLength, 4);
}

TEST(TForm1Config, EmptyMissingAndUnreadableFiles) {
  Shell shell;
  TForm1& f = *shell.form;
  const auto first = OfferFile(shell, "first.cfg", "held");
  shell.Click(f.Ope);
  f.Memo.SetText("edited");

  // A missing file is created empty; the pane shows the text held before.
  const auto missing = shell.PathOf("missing.cfg");
  shell.dialogs.file_answers = {missing};
  shell.Click(f.Ope);
  EXPECT_TRUE(std::filesystem::exists(missing));
  EXPECT_EQ(f.Memo.Text(), "held");
  EXPECT_EQ(f.ConfigTextLength, 4);
  EXPECT_EQ(MainCaption(shell), Cp1251FromPath(missing));

  // A folder cannot be opened; a file without room for the terminating 0 is refused.
  const auto folder = shell.PathOf("folder.cfg");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const auto too_large = shell.PathOf("large.cfg");
  PutFile(too_large, std::string(50000, 'L'));
  for (const auto& path : {folder, too_large}) {
    shell.dialogs.file_answers = {first, path};
    shell.Click(f.Ope);
    shell.Click(f.Ope);
    EXPECT_EQ(f.Memo.Text(), "") << path;
    EXPECT_EQ(f.ConfigTextLength, 0);
    EXPECT_TRUE(std::ranges::all_of(f.ConfigText, [](std::uint8_t b) { return b == 0; }));
  }

  // The largest file that fits is loaded whole.
  PutFile(too_large, std::string(49999, 'L'));
  shell.dialogs.file_answers = {too_large};
  shell.Click(f.Ope);
  EXPECT_EQ(f.ConfigTextLength, 49999);
  EXPECT_EQ(f.Memo.Text().size(), 49999u);
  EXPECT_TRUE(shell.dialogs.messages.empty() && shell.dialogs.errors.empty());
}

TEST(TForm1Config, CommandsWaitForTheRunningOne) {
  ModelPortRig rig;
  TForm1& f = rig.form();
  OfferFile(rig.shell, "f.cfg", "file");
  const CommandGuard running(f.CommandRunning);
  rig.shell.Click(f.Upl);
  rig.shell.Click(f.Ope);
  rig.shell.Click(f.BuReboot);
  EXPECT_TRUE(rig.writes().empty());
  EXPECT_TRUE(rig.shell.dialogs.messages.empty());
  EXPECT_TRUE(rig.shell.dialogs.file_dialogs_shown.empty());
  EXPECT_EQ(f.Memo.Text(), "");
}

}  // namespace
}  // namespace tarvex
