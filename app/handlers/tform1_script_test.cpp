// Script download, upload and clear against the simulated controller behind a fake port.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
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
using testing::StringOf;
using Bytes = std::vector<std::uint8_t>;

// The script buttons start hidden; shown, their clicks run their handlers.
struct ScriptRig : ModelPortRig {
  ScriptRig() {
    for (const Handle& button : {form().DownScr, form().ButtonUp, form().Down_testik}) button.Show();
  }
  std::string Caption() const { return shell.view.captions[static_cast<int>(Window::kForm1)]; }
};

// A controller that answers the script upload with `reply` as it is.
void AnswerWith(ModelPortRig& rig, Bytes reply) {
  rig.form().link.PortHandle = std::make_unique<testing::FakePort>(rig.shell.clock, [reply](const Bytes&) {
    return std::vector<testing::Chunk>{{std::chrono::milliseconds(1), reply}};
  });
}

TEST(TForm1Script, DownloadSendsTheFileInOneFrame) {
  ScriptRig rig;
  TForm1& f = rig.form();
  const auto path = OfferFile(rig.shell, "three.scr", std::string("a\0c", 3));
  rig.shell.Click(f.DownScr);
  EXPECT_EQ(rig.writes().size(), 1u);
  EXPECT_EQ(rig.model.script(), BytesOf(std::string("a\0c", 3)));
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());
  // The caption is the chosen file's path.
  EXPECT_EQ(rig.Caption(), Cp1251FromPath(path));
  EXPECT_EQ(f.Memo1.Text(), "a");
  EXPECT_EQ(f.ConfigTextLength, 3);
}

TEST(TForm1Script, CancelledDialogSendsTheTextHeld) {
  ScriptRig rig;
  TForm1& f = rig.form();
  rig.shell.Click(f.DownScr);
  // Right after start nothing is held: an empty script, 14 bytes.
  ASSERT_EQ(rig.writes().size(), 1u);
  EXPECT_EQ(rig.writes()[0].size(), 14u);
  EXPECT_TRUE(rig.model.script().empty());
  EXPECT_EQ(f.Memo1.Text(), "\r\n");

  // After "Save cfg" the saved length of whatever ConfigText holds goes.
  f.Memo.SetText("xy");
  rig.shell.dialogs.file_answers = {rig.shell.PathOf("c.cfg"), std::nullopt};
  rig.shell.Click(f.Sav);
  const std::string held("scriptbody");
  std::ranges::copy(held, f.ConfigText.begin());
  rig.shell.Click(f.DownScr);
  EXPECT_EQ(rig.writes().back().size(), 16u);
  EXPECT_EQ(StringOf(rig.model.script()), "sc");
}

TEST(TForm1Script, ScriptsBeyondTheLengthFieldAreRefused) {
  ScriptRig rig;
  TForm1& f = rig.form();
  OfferFile(rig.shell, "s.scr", std::string(247, 'm'));
  rig.shell.Click(f.DownScr);
  EXPECT_EQ(rig.writes().size(), 1u);
  EXPECT_EQ(rig.model.script().size(), 247u);

  OfferFile(rig.shell, "s.scr", std::string(248, 'n'));
  rig.shell.Click(f.DownScr);
  EXPECT_EQ(rig.writes().size(), 1u);
  EXPECT_TRUE(rig.NotOkShown() && !rig.OkShown());
  EXPECT_EQ(f.Memo1.Text(), std::string(248, 'n'));
  EXPECT_EQ(rig.model.script().size(), 247u);
}

TEST(TForm1Script, AFileThatCannotBeReadSendsNothing) {
  ScriptRig rig;
  TForm1& f = rig.form();
  const auto path = OfferFile(rig.shell, "old.scr", "longer old script");
  rig.shell.Click(f.DownScr);
  // A folder cannot be opened as a file.
  const auto folder = rig.shell.PathOf("folder.scr");
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  rig.shell.dialogs.file_answers = {folder};
  rig.shell.Click(f.DownScr);
  EXPECT_EQ(rig.writes().size(), 1u);
  EXPECT_TRUE(rig.NotOkShown() && !rig.OkShown());
  EXPECT_EQ(f.Memo1.Text(), "");
  EXPECT_EQ(f.ConfigTextLength, 0);
  EXPECT_EQ(StringOf(rig.model.script()), "longer old script");

  // A shorter script leaves no trace of the longer one.
  PutFile(path, "new");
  rig.shell.dialogs.file_answers = {path};
  rig.shell.Click(f.DownScr);
  EXPECT_EQ(f.Memo1.Text(), "new");
  EXPECT_EQ(StringOf(rig.model.script()), "new");
}

TEST(TForm1Script, NoReplyShowsNotOk) {
  ScriptRig rig;
  rig.model.AddFault(sim::ParseFault("long:12:silence"));
  rig.form().Label2.Show();
  rig.shell.Click(rig.form().DownScr);
  EXPECT_TRUE(rig.NotOkShown() && !rig.OkShown());
  EXPECT_TRUE(rig.shell.dialogs.messages.empty());
}

TEST(TForm1Script, UploadShowsTheScriptAndWritesItByteExact) {
  ScriptRig rig;
  TForm1& f = rig.form();
  const std::string script("top\r\nend\0after\xFF", 15);
  rig.model.script() = BytesOf(script);
  f.Label5.Show();
  const auto path = rig.shell.PathOf("back.log");
  rig.shell.dialogs.file_answers = {path};
  rig.shell.Click(f.ButtonUp);
  EXPECT_EQ(rig.writes().size(), 1u);
  EXPECT_EQ(FileBytes(path), script);
  EXPECT_EQ(f.Memo1.Text(), "top\r\nend");
  EXPECT_EQ(rig.Caption(), Cp1251FromPath(path));
  EXPECT_TRUE(!rig.OkShown() && !rig.NotOkShown());
}

TEST(TForm1Script, UploadReplyLengthDecides) {
  ScriptRig rig;
  TForm1& f = rig.form();
  // 11 bytes, as many as L = 5 in bytes 2..3 says: a one-byte script; the checksums
  // are not looked at.
  AnswerWith(rig, {1, 2, 5, 0, 5, 6, 7, 8, 'Z', 0xEE, 0xEE});
  rig.shell.dialogs.file_answers = {rig.shell.PathOf("one.scr")};
  rig.shell.Click(f.ButtonUp);
  EXPECT_EQ(FileBytes(rig.shell.PathOf("one.scr")), "Z");
  EXPECT_EQ(f.Memo1.Text(), "Z");

  // 10 bytes: nothing; the file is not created and the pane stays.
  AnswerWith(rig, {1, 2, 3, 4, 5, 6, 7, 8, 0xEE, 0xEE});
  rig.shell.dialogs.file_answers = {rig.shell.PathOf("none.scr")};
  rig.shell.Click(f.ButtonUp);
  EXPECT_FALSE(std::filesystem::exists(rig.shell.PathOf("none.scr")));
  EXPECT_TRUE(rig.NotOkShown() && !rig.OkShown());
  EXPECT_EQ(f.Memo1.Text(), "Z");
}

TEST(TForm1Script, UploadIntoAnUnwritableFileEmptiesThePane) {
  ScriptRig rig;
  rig.shell.dialogs.file_answers = {rig.shell.PathOf("no/such/folder.scr")};
  rig.shell.Click(rig.form().ButtonUp);
  EXPECT_EQ(rig.form().Memo1.Text(), "");
  EXPECT_EQ(rig.writes().size(), 1u);
}

TEST(TForm1Script, CancelledUploadSendsNothing) {
  ScriptRig rig;
  rig.form().Label2.Show();
  rig.shell.Click(rig.form().ButtonUp);
  EXPECT_TRUE(rig.writes().empty());
  EXPECT_TRUE(!rig.OkShown() && !rig.NotOkShown());
  ASSERT_FALSE(rig.shell.dialogs.file_dialogs_shown.empty());
  EXPECT_EQ(rig.shell.dialogs.file_dialogs_shown.back().default_extension, "log");
}

TEST(TForm1Script, ClearAsksFirst) {
  ScriptRig rig;
  TForm1& f = rig.form();
  f.Label2.Show();
  rig.shell.dialogs.confirm_answers = {Dialogs::kNo};
  rig.shell.Click(f.Down_testik);
  EXPECT_TRUE(rig.writes().empty());
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());

  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  rig.model.AddFault(sim::ParseFault("long:25:silence:count=1"));
  rig.shell.Click(f.Down_testik);
  EXPECT_TRUE(rig.NotOkShown() && !rig.OkShown());
  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  rig.shell.Click(f.Down_testik);
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());
  EXPECT_EQ(rig.writes().size(), 2u);
  EXPECT_EQ(rig.shell.dialogs.confirmations_asked, 3);
}

TEST(TForm1Script, ScriptCommandsWaitForTheRunningOne) {
  ScriptRig rig;
  TForm1& f = rig.form();
  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  const CommandGuard running(f.CommandRunning);
  rig.shell.Click(f.DownScr);
  rig.shell.Click(f.ButtonUp);
  rig.shell.Click(f.Down_testik);
  EXPECT_TRUE(rig.writes().empty());
  EXPECT_EQ(rig.shell.dialogs.confirmations_asked, 0);
  EXPECT_TRUE(rig.shell.dialogs.file_dialogs_shown.empty());
}

}  // namespace
}  // namespace tarvex
