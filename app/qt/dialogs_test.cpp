// The dialogs seam, the real file dialogs, the application title and the command guard.
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/app_title.h"
#include "app/handlers/command_guard.h"
#include "app/testing/scripted_dialogs.h"
#include "app/qt/dialogs.h"
#include "app/qt/qt_dialogs.h"

using tarvex::Dialogs;
using tarvex::FileDialogSetup;
using tarvex::ScriptedDialogs;

namespace {

// Acts on the next file dialog once it is up, as the user would; a watchdog cancels
// it, and any message box it raised, so that a lost step fails the test instead of
// hanging it.
void AnswerFileDialog(std::function<void(QFileDialog&)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    poll->deleteLater();
    QTimer::singleShot(5000, dialog, [dialog] {
      while (auto* top = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        top->reject();
        if (top == dialog) break;
      }
    });
    answer(*dialog);
  });
  poll->start(5);
}

// Clicks the file's entry in the dialog's list, once the folder is listed, and
// confirms the dialog.
void PickFromTheList(QFileDialog& dialog, const QString& path) {
  auto* list = dialog.findChild<QListView*>("listView");
  auto* model = dialog.findChild<QFileSystemModel*>();
  QVERIFY(list != nullptr && model != nullptr);
  QModelIndex entry;
  QVERIFY(QTest::qWaitFor([&] {
    entry = model->index(path);
    return entry.isValid() && list->visualRect(entry).isValid();
  }));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
  QMetaObject::invokeMethod(&dialog, "accept");
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void RealDialogsGiveTheDefaultExtensionOnlyToATypedName() {
    QTemporaryDir dir;
    const QString picked = dir.filePath("scr");
    QFile file(picked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    tarvex::QtDialogs dialogs("Tarvex");

    AnswerFileDialog([&](QFileDialog& dialog) {
      dialog.setDirectory(dir.path());
      PickFromTheList(dialog, picked);
    });
    QCOMPARE(dialogs.OpenFile({"", "scr", "scr"}), std::optional<QString>(picked));

    AnswerFileDialog([&](QFileDialog& dialog) {
      dialog.setDirectory(dir.path());
      QTest::keyClicks(dialog.findChild<QLineEdit*>("fileNameEdit"), "conf");
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    // Typed into the open dialog, a name that does not exist yet: "Open cfg" creates it.
    QCOMPARE(dialogs.OpenFile({"cfg", "*.cfg", "json"}), std::optional<QString>(dir.filePath("conf.json")));
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

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
