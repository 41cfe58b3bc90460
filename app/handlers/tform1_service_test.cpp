// Service commands through the window: REBOOT from both windows, Registration with its
// confirmation, Ident and Press with their edit box and labels.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/testing/model_port_rig.h"
#include "sim/model/fault.h"

using tarvex::TForm1;
using tarvex::testing::ModelPortRig;

namespace {

const std::vector<std::uint8_t> kRebootBytes{0x7B, 0x22, 0x43, 0x52, 0x45, 0x53, 0x45,
                                             0x54, 0x22, 0x3A, 0x32, 0x32, 0x32, 0x7D};

// The layout creates the button disabled; enabled, its click runs the bound handler.
void Press(QPushButton* button) {
  button->setEnabled(true);
  button->click();
}

}  // namespace

class TForm1ServiceTest : public QObject {
  Q_OBJECT
 private slots:
  void RebootWritesItsTextAndNothingElseFromEitherWindow() {
    ModelPortRig rig;
    TForm1& form = rig.form();
    form.Label2->show();
    form.Label5->hide();
    // A frame another operation built stays as it was.
    form.link.TransferFrame.fill(0xA5);
    const std::string label_before = form.Label->text().toStdString();

    form.Button9->click();
    rig.shell.form2->Button2->click();

    QCOMPARE(rig.writes(), (std::vector<std::vector<std::uint8_t>>{kRebootBytes, kRebootBytes}));
    QVERIFY(std::all_of(form.link.TransferFrame.begin(), form.link.TransferFrame.end(),
                        [](std::uint8_t b) { return b == 0xA5; }));
    QVERIFY(rig.OkShown() && !rig.NotOkShown());
    QVERIFY(rig.shell.dialogs.messages.isEmpty());
    QVERIFY(rig.shell.dialogs.errors.isEmpty());
    // Only the link's progress marks: a request and the controller's reply, twice.
    QCOMPARE(form.Label->text().toStdString(), label_before + " .  +  .  + ");
  }

  void RebootWithAPortThatCannotBeOpenedSaysSoOnce() {
    ModelPortRig rig;
    TForm1& form = rig.form();
    form.link.Close();
    form.ok->hide();
    form.Edit1->setText("/nonexistent/tarvex-tty");
    const QString label_before = form.Label->text();
    form.Button9->click();
    QCOMPARE(rig.shell.dialogs.messages, QStringList{QString::fromUtf8("   COM порт ???")});
    QVERIFY(rig.shell.dialogs.errors.isEmpty());
    QVERIFY(form.ok->isHidden());
    // The exchange still ran, its request going nowhere and no reply coming.
    QCOMPARE(form.Label->text(), label_before + " . ");
  }

  void RegistrationAsksFirst() {
    ModelPortRig rig;
    TForm1& form = rig.form();
    form.Label5->show();
    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kNo};
    Press(form.Button3);
    QCOMPARE(rig.shell.dialogs.confirmations_asked, 1);
    QVERIFY(rig.writes().empty());
    QVERIFY(!rig.OkShown() && rig.NotOkShown());

    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    Press(form.Button3);
    QCOMPARE(rig.writes(), (std::vector<std::vector<std::uint8_t>>{
                               {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5D, 0x06, 0, 0, 0, 0, 0x85, 0x56}}));
    QVERIFY(rig.OkShown() && !rig.NotOkShown());

    rig.model.AddFault(tarvex::sim::ParseFault("long:93:silence"));
    rig.shell.dialogs.confirm_answers = {tarvex::Dialogs::kYes};
    Press(form.Button3);
    QVERIFY(!rig.OkShown() && rig.NotOkShown());
  }

  void IdentShowsOnlyAPositiveIdentifier_data() {
    QTest::addColumn<int>("identifier");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("ok");
    QTest::newRow("1500") << 1500 << "1500" << true;
    QTest::newRow("0") << 0 << "" << false;
    QTest::newRow("-5") << -5 << "" << false;
  }
  void IdentShowsOnlyAPositiveIdentifier() {
    QFETCH(int, identifier);
    QFETCH(QString, shown);
    QFETCH(bool, ok);
    ModelPortRig rig;
    rig.model.set_identifier(identifier);
    rig.form().Edi->setText("old");
    Press(rig.form().Button4);
    QCOMPARE(rig.form().Edi->text(), shown);
    QCOMPARE(rig.form().RecordPointer, identifier);
    QCOMPARE(rig.OkShown(), ok);
    QCOMPARE(rig.NotOkShown(), !ok);
  }

  void PressShowsFourBlanksAndTheValue_data() {
    QTest::addColumn<float>("pressure");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("ok");
    QTest::newRow("1.5") << 1.5f << "     1.50" << true;
    QTest::newRow("101.25") << 101.25f << "    101.25" << true;
    QTest::newRow("0") << 0.0f << "    " << false;
    QTest::newRow("negative") << -2.0f << "    " << false;
  }
  void PressShowsFourBlanksAndTheValue() {
    QFETCH(float, pressure);
    QFETCH(QString, shown);
    QFETCH(bool, ok);
    ModelPortRig rig;
    rig.model.set_pressure(pressure);
    rig.form().Edi->setText("old");
    Press(rig.form().Button5);
    QCOMPARE(rig.form().Edi->text(), shown);
    QCOMPARE(rig.OkShown(), ok);
    QCOMPARE(rig.NotOkShown(), !ok);
  }

  void SilentControllerLeavesIdentEmptyAndPressBlank() {
    ModelPortRig rig;
    rig.model.AddFault(tarvex::sim::ParseFault("long:44:silence"));
    rig.model.AddFault(tarvex::sim::ParseFault("long:45:silence"));
    Press(rig.form().Button4);
    QCOMPARE(rig.form().Edi->text(), QString());
    QVERIFY(rig.NotOkShown());
    Press(rig.form().Button5);
    QCOMPARE(rig.form().Edi->text(), QString("    "));
    QVERIFY(rig.NotOkShown());
  }
};

QTEST_MAIN(TForm1ServiceTest)
#include "tform1_service_test.moc"
