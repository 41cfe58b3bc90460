// The dialogs seam, the application title and the command guard.
#include <QtTest>

#include "app/app_title.h"
#include "app/command_guard.h"
#include "app/dialogs.h"
#include "app/scripted_dialogs.h"

using tarvex::Dialogs;
using tarvex::FileDialogSpec;
using tarvex::ScriptedDialogs;

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void TypedNamesWithoutExtensionGetTheDefault() {
    QCOMPARE(tarvex::WithDefaultExtension("/tmp/conf", "json"), QString("/tmp/conf.json"));
    QCOMPARE(tarvex::WithDefaultExtension("/tmp/conf.cfg", "json"), QString("/tmp/conf.cfg"));
    QCOMPARE(tarvex::WithDefaultExtension("/tmp/dir.d/out", "log"), QString("/tmp/dir.d/out.log"));
    QCOMPARE(tarvex::WithDefaultExtension("/tmp/out", ""), QString("/tmp/out"));

    ScriptedDialogs dialogs;
    dialogs.file_answers = {QString("/tmp/a"), std::nullopt, QString("/tmp/b.txt")};
    const FileDialogSpec dialog{"cfg", "*.cfg", "json"};
    QCOMPARE(dialogs.SaveFile(dialog), std::optional<QString>("/tmp/a.json"));
    QCOMPARE(dialogs.OpenFile(dialog), std::nullopt);
    QCOMPARE(dialogs.OpenFile(dialog), std::optional<QString>("/tmp/b.txt"));
    QCOMPARE(dialogs.OpenFile(dialog), std::nullopt);
    QCOMPARE(dialogs.file_dialogs_shown.size(), std::size_t(4));
  }

  void ScriptedConfirmationAnswersInOrderThenNo() {
    ScriptedDialogs dialogs;
    dialogs.confirm_answers = {Dialogs::kYes, Dialogs::kNo, Dialogs::kYes};
    QCOMPARE(dialogs.Confirm(), 1);
    QCOMPARE(dialogs.Confirm(), 2);
    QCOMPARE(dialogs.Confirm(), 1);
    QCOMPARE(dialogs.Confirm(), 2);
    QCOMPARE(dialogs.confirmations_asked, 4);
  }

  void TitleIsTheExecutableNameCapitalised() {
    QCOMPARE(tarvex::ApplicationTitle("/opt/tool/TARVEX.EXE"), QString("Tarvex"));
    QCOMPARE(tarvex::ApplicationTitle("/usr/bin/tarvex"), QString("Tarvex"));
    QCOMPARE(tarvex::ApplicationTitle("/x/my.Tool.exe"), QString("My.tool"));
  }

  void GuardRefusesANestedCommandAndReleasesOnExit() {
    bool running = false;
    {
      tarvex::CommandGuard outer(running);
      QVERIFY(static_cast<bool>(outer));
      QVERIFY(running);
      {
        tarvex::CommandGuard nested(running);
        QVERIFY(!nested);
      }
      QVERIFY2(running, "the refused guard must not end the running command");
    }
    QVERIFY(!running);
  }
};

QTEST_GUILESS_MAIN(DialogsTest)
#include "dialogs_test.moc"
