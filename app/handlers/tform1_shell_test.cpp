// Start-up and shut-down, port selection, status labels, panes, Stop and Diag.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "app/handlers/command_guard.h"
#include "app/testing/files.h"
#include "app/testing/shell.h"
#include "app/widgets/text_pane.h"

using tarvex::testing::FileBytes;
using tarvex::testing::Shell;

namespace {

// A pseudo-terminal whose slave side the window opens as its port.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      slave_path_ = ::ptsname(master_);
    }
  }
  ~PseudoTerminal() {
    if (master_ >= 0) ::close(master_);
  }
  QString SlavePath() const { return QString::fromStdString(slave_path_); }

 private:
  int master_ = -1;
  std::string slave_path_;
};

}  // namespace

class TForm1ShellTest : public QObject {
  Q_OBJECT
 private slots:
  void FirstRunUsesDefaultsAndCloseWritesThem() {
    Shell shell;
    QCOMPARE(shell.form->Edit1->text(), QString("7"));
    QCOMPARE(shell.form->Boud->text(), QString("38400"));
    QVERIFY(!QFile::exists(shell.SettingsPath()));
    shell.form->show();
    shell.form->close();
    QCOMPARE(shell.exit_codes, std::vector<int>{0});
    QCOMPARE(FileBytes(shell.SettingsPath()), std::string("[log]\r\nport=7\r\nbaud=38400\r\n"));
    QVERIFY(shell.dialogs.errors.isEmpty());
  }

  void ReadsAWindowsWrittenFileAndKeepsItsOtherContent() {
    Shell shell("[Tools]\r\nx=1\r\n\r\n[LOG]\r\nPort = 12 \r\nBAUD=9600\r\n");
    QCOMPARE(shell.form->Edit1->text(), QString("12"));
    QCOMPARE(shell.form->Boud->text(), QString("9600"));
    shell.form->Edit1->setText(QString::fromUtf8("ком3"));
    shell.form->close();
    QCOMPARE(shell.exit_codes, std::vector<int>{0});
    QCOMPARE(FileBytes(shell.SettingsPath()),
             std::string("[Tools]\r\nx=1\r\n\r\n[LOG]\r\nport=\xEA\xEE\xEC" "3\r\nbaud=9600\r\n"));
  }

  void MissingKeysFallBackToDefaults() {
    Shell shell("[log]\r\nbaud=115200\r\n");
    QCOMPARE(shell.form->Edit1->text(), QString("7"));
    QCOMPARE(shell.form->Boud->text(), QString("115200"));
  }

  void UnwritableSettingsKeepTheWindowOpen() {
    Shell shell;
    // A directory in the file's place cannot be written, even by root.
    QVERIFY(QDir().mkdir(shell.SettingsPath()));
    shell.form->show();
    QVERIFY(!shell.form->close());
    QCOMPARE(shell.dialogs.errors, QStringList{"Unable to write to " + shell.SettingsPath()});
    QVERIFY(shell.exit_codes.empty());
    QVERIFY(shell.form->isVisible());
  }

  void CloseDuringAnExchangeEndsTheProcess() {
    Shell shell;
    bool in_exchange_at_exit = false;
    shell.form->show();
    // The close arrives while the link pumps messages inside its wait for a reply.
    QTimer::singleShot(0, shell.form.get(), [&] {
      shell.form->close();
      in_exchange_at_exit = shell.form->link.InExchange();
    });
    shell.form->link.ExchangeWordCommand(28);
    QCOMPARE(shell.exit_codes, std::vector<int>{0});
    QVERIFY(in_exchange_at_exit);
    QVERIFY(QFile::exists(shell.SettingsPath()));
  }

  void OpenFailuresAndNonIntegerBaud() {
    Shell shell;
    auto& f = *shell.form;
    f.Edit1->clear();
    f.OpenCom->click();
    QCOMPARE(shell.dialogs.messages, QStringList{QString::fromUtf8("   COM порт ???")});
    QVERIFY(f.ok->isHidden());
    QVERIFY(!f.link.PortHandle);

    shell.dialogs.messages.clear();
    f.Edit1->setText("/nonexistent/tty");
    f.Boud->setText("38 400");
    f.OpenCom->click();
    QCOMPARE(shell.dialogs.errors, QStringList{"'38 400' is not a valid integer value"});
    QVERIFY(shell.dialogs.messages.isEmpty());
    QVERIFY(f.ok->isHidden());
  }

  void CloseWithoutAPortDoesNothing() {
    Shell shell;
    shell.form->Button7->click();
    QVERIFY(shell.dialogs.messages.isEmpty());
    QVERIFY(shell.dialogs.errors.isEmpty());
    QVERIFY(shell.form->ok->isHidden());
  }

  void OpenAndCloseAPseudoTerminal() {
    PseudoTerminal pty;
    QVERIFY(!pty.SlavePath().isEmpty());
    Shell shell;
    auto& f = *shell.form;
    f.Edit1->setText(pty.SlavePath());
    f.OpenCom->click();
    QVERIFY(shell.dialogs.messages.isEmpty());
    QVERIFY(!f.ok->isHidden());
    QVERIFY(f.link.PortHandle);

    // The device is held exclusively: the second "Open" only succeeds because it
    // closes the port first.
    f.OpenCom->click();
    QVERIFY(shell.dialogs.messages.isEmpty());
    QVERIFY(!f.ok->isHidden());
    QVERIFY(f.link.PortHandle);

    // With the port open, the on-demand open leaves it alone.
    auto* held = f.link.PortHandle.get();
    f.EnsurePortOpen();
    QCOMPARE(f.link.PortHandle.get(), held);

    f.Button7->click();
    QVERIFY(f.ok->isHidden());
    QVERIFY(!f.link.PortHandle);

    // Closed: the on-demand open opens it again.
    f.EnsurePortOpen();
    QVERIFY(!f.ok->isHidden());
    QVERIFY(f.link.PortHandle);

    // A bad baud text after "Open" closed the port leaves no port.
    f.Boud->setText("fast");
    f.OpenCom->click();
    QCOMPARE(shell.dialogs.errors, QStringList{"'fast' is not a valid integer value"});
    QVERIFY(f.ok->isHidden());
    QVERIFY(!f.link.PortHandle);
  }

  void OnDemandOpenFailureReportsAndGoesOn() {
    Shell shell;
    shell.form->Edit1->setText("/nonexistent/tty");
    shell.form->EnsurePortOpen();
    QCOMPARE(shell.dialogs.messages, QStringList{QString::fromUtf8("   COM порт ???")});
    QVERIFY(shell.form->ok->isHidden());
  }

  void StatusLabelsShowExactlyOneOutcome() {
    Shell shell;
    auto& f = *shell.form;
    f.ShowOk();
    QVERIFY(!f.Label2->isHidden() && f.Label5->isHidden());
    f.ShowNotOk();
    QVERIFY(f.Label2->isHidden() && !f.Label5->isHidden());
    f.HideStatus();
    QVERIFY(f.Label2->isHidden() && f.Label5->isHidden());
  }

  void ProgressMarksAndStop() {
    Shell shell;
    auto& f = *shell.form;
    // No port: the request is "written", no reply comes.
    QCOMPARE(f.link.ExchangeWordCommand(28), 0);
    QCOMPARE(f.Label->text(), QString(" . "));
    f.hooks.ReplyReceived();
    QCOMPARE(f.Label->text(), QString(" .  + "));
    QVERIFY(!f.StopRequested);
    f.Button8->click();
    QVERIFY(f.StopRequested);
  }

  void StopStillWorksWhileACommandRuns() {
    Shell shell;
    auto& f = *shell.form;
    tarvex::CommandGuard guard(f.CommandRunning);
    QTimer::singleShot(0, f.Button8, [&] { f.Button8->click(); });
    f.link.ExchangeWordCommand(28);
    QVERIFY(f.StopRequested);
  }

  void TheTwoClearButtonsEmptyTheirOwnPane() {
    Shell shell;
    auto& f = *shell.form;
    f.Memo->SetText(std::string_view("cfg"));
    f.Memo1->SetText(std::string_view("log"));
    f.Button1->click();
    QCOMPARE(f.Memo->Text(), std::string());
    QCOMPARE(f.Memo1->Text(), std::string("log"));
    f.Memo->SetText(std::string_view("cfg"));
    f.Button6->click();
    QCOMPARE(f.Memo1->Text(), std::string());
    QCOMPARE(f.Memo->Text(), std::string("cfg"));
  }

  void ClicksPassThroughTheStatusLabels() {
    PseudoTerminal pty;
    Shell shell;
    auto& f = *shell.form;
    f.Edit1->setText(pty.SlavePath());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // "OK" lies over the right end of "Open"; a click there, routed by the window
    // system as the user's would be, reaches the button.
    f.ShowOk();
    QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, QPoint(210, 35));
    QVERIFY(f.link.PortHandle);
    QVERIFY(!f.ok->isHidden());
  }

  void RightClickOnTheSurfaceShowsDiag() {
    Shell shell;
    auto& f = *shell.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QPoint empty_spot(300, 90);
    QVERIFY(f.childAt(empty_spot) == nullptr);

    // Clicks routed by the window system, as the user's are.
    const auto click = [&f](Qt::MouseButton button, QPoint at) {
      QTest::mouseClick(f.windowHandle(), button, {}, at);
    };
    click(Qt::LeftButton, empty_spot);
    QVERIFY(shell.form2->isHidden());
    click(Qt::RightButton, f.OpenCom->geometry().topLeft() + QPoint(5, 5));
    QVERIFY(shell.form2->isHidden());

    click(Qt::RightButton, empty_spot);
    QVERIFY(shell.form2->isVisible());
    // A label lets the click through to the surface beneath it.
    shell.form2->hide();
    click(Qt::RightButton, f.Label1->geometry().topLeft() + QPoint(2, 2));
    QVERIFY(shell.form2->isVisible());
  }

  void DiagKeepsTraceLinesUntilCleared() {
    Shell shell;
    auto& f = *shell.form;
    f.hooks.Trace("Comm ->( 05 64 )");
    f.FormMouseUp(Qt::RightButton);
    QVERIFY(shell.form2->isVisible());
    f.hooks.Trace("bool Send =12");
    shell.form2->close();
    QVERIFY(shell.form2->isHidden());
    f.FormMouseUp(Qt::RightButton);
    QCOMPARE(shell.form2->Memo->Text(), std::string("Comm ->( 05 64 )\r\nbool Send =12\r\n"));
    shell.form2->Button1->click();
    QCOMPARE(shell.form2->Memo->Text(), std::string());
  }
};

QTEST_MAIN(TForm1ShellTest)
#include "tform1_shell_test.moc"
