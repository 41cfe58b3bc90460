// Service commands through the window: REBOOT from both windows, Registration with its
// confirmation, Ident and Press with their edit box and labels.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/testing/model_port_rig.h"
#include "basics/cp1251_text.h"
#include "sim/model/fault.h"

namespace tarvex {
namespace {

using testing::ModelPortRig;
using Writes = std::vector<std::vector<std::uint8_t>>;

const std::vector<std::uint8_t> kRebootBytes{0x7B, 0x22, 0x43, 0x52, 0x45, 0x53, 0x45,
                                             0x54, 0x22, 0x3A, 0x32, 0x32, 0x32, 0x7D};

TEST(TForm1Service, RebootWritesItsTextAndNothingElseFromEitherWindow) {
  ModelPortRig rig;
  TForm1& form = rig.form();
  form.Label2.Show();
  form.Label5.Hide();
  // A frame another operation built stays as it was.
  form.link.TransferFrame.fill(0xA5);
  const std::string label_before = form.Label.Text();

  rig.shell.Click(form.Button9);
  rig.shell.Click(form.Form2.Button2);

  EXPECT_EQ(rig.writes(), (Writes{kRebootBytes, kRebootBytes}));
  EXPECT_TRUE(std::ranges::all_of(form.link.TransferFrame, [](std::uint8_t b) { return b == 0xA5; }));
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());
  EXPECT_TRUE(rig.shell.dialogs.messages.empty());
  EXPECT_TRUE(rig.shell.dialogs.errors.empty());
  // Only the link's progress marks: a request and the controller's reply, twice.
  EXPECT_EQ(form.Label.Text(), label_before + " .  +  .  + ");
}

TEST(TForm1Service, RebootWithAPortThatCannotBeOpenedSaysSoOnce) {
  ModelPortRig rig;
  TForm1& form = rig.form();
  form.link.Close();
  form.ok.Hide();
  form.Edit1.SetText("/nonexistent/tarvex-tty");
  const std::string label_before = form.Label.Text();
  rig.shell.Click(form.Button9);
  EXPECT_EQ(rig.shell.dialogs.messages, std::vector<std::string>{Cp1251FromUtf8("   COM порт ???")});
  EXPECT_TRUE(rig.shell.dialogs.errors.empty());
  EXPECT_TRUE(form.ok.Hidden());
  // The exchange still ran, its request going nowhere and no reply coming.
  EXPECT_EQ(form.Label.Text(), label_before + " . ");
}

TEST(TForm1Service, RegistrationAsksFirst) {
  ModelPortRig rig;
  TForm1& form = rig.form();
  form.Label5.Show();
  rig.shell.dialogs.confirm_answers = {Dialogs::kNo};
  rig.shell.Press(form.Button3);
  EXPECT_EQ(rig.shell.dialogs.confirmations_asked, 1);
  EXPECT_TRUE(rig.writes().empty());
  EXPECT_TRUE(!rig.OkShown() && rig.NotOkShown());

  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  rig.shell.Press(form.Button3);
  EXPECT_EQ(rig.writes(), (Writes{{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5D, 0x06, 0, 0, 0, 0, 0x85, 0x56}}));
  EXPECT_TRUE(rig.OkShown() && !rig.NotOkShown());

  rig.model.AddFault(sim::ParseFault("long:93:silence"));
  rig.shell.dialogs.confirm_answers = {Dialogs::kYes};
  rig.shell.Press(form.Button3);
  EXPECT_TRUE(!rig.OkShown() && rig.NotOkShown());
}

TEST(TForm1Service, IdentShowsOnlyAPositiveIdentifier) {
  const struct {
    int identifier;
    const char* shown;
    bool ok;
  } cases[] = {{1500, "1500", true}, {0, "", false}, {-5, "", false}};
  for (const auto& [identifier, shown, ok] : cases) {
    ModelPortRig rig;
    rig.model.set_identifier(identifier);
    rig.form().Edi.SetText("old");
    rig.shell.Press(rig.form().Button4);
    EXPECT_EQ(rig.form().Edi.Text(), shown) << identifier;
    EXPECT_EQ(rig.form().RecordPointer, identifier);
    EXPECT_EQ(rig.OkShown(), ok);
    EXPECT_EQ(rig.NotOkShown(), !ok);
  }
}

TEST(TForm1Service, PressShowsFourBlanksAndTheValue) {
  const struct {
    float pressure;
    const char* shown;
    bool ok;
  } cases[] = {{1.5f, "     1.50", true}, {101.25f, "    101.25", true}, {0.0f, "    ", false}, {-2.0f, "    ", false}};
  for (const auto& [pressure, shown, ok] : cases) {
    ModelPortRig rig;
    rig.model.set_pressure(pressure);
    rig.form().Edi.SetText("old");
    rig.shell.Press(rig.form().Button5);
    EXPECT_EQ(rig.form().Edi.Text(), shown) << pressure;
    EXPECT_EQ(rig.OkShown(), ok);
    EXPECT_EQ(rig.NotOkShown(), !ok);
  }
}

TEST(TForm1Service, SilentControllerLeavesIdentEmptyAndPressBlank) {
  ModelPortRig rig;
  rig.model.AddFault(sim::ParseFault("long:44:silence"));
  rig.model.AddFault(sim::ParseFault("long:45:silence"));
  rig.shell.Press(rig.form().Button4);
  EXPECT_EQ(rig.form().Edi.Text(), "");
  EXPECT_TRUE(rig.NotOkShown());
  rig.shell.Press(rig.form().Button5);
  EXPECT_EQ(rig.form().Edi.Text(), "    ");
  EXPECT_TRUE(rig.NotOkShown());
}

}  // namespace
}  // namespace tarvex
