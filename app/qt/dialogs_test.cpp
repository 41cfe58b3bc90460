// The real boxes and file dialogs, and the application title that captions the boxes.
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/app_title.h"
#include "app/qt/qt_dialogs.h"
#include "basics/cp1251_text.h"
#include "testing/scratch_folder.h"

using Path = std::optional<std::filesystem::path>;

namespace {

// Acts on the next dialog of its kind once it is up, as the user would; a watchdog
// cancels it, and any message box it raised, so that a lost step fails the test
// instead of hanging it.
template <typename Dialog>
void Answer(std::function<void(Dialog&)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
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
void PickFromTheList(QFileDialog& dialog, const std::filesystem::path& path) {
  auto* list = dialog.findChild<QListView*>("listView");
  auto* model = dialog.findChild<QFileSystemModel*>();
  QVERIFY(list != nullptr && model != nullptr);
  QModelIndex entry;
  QVERIFY(QTest::qWaitFor([&] {
    entry = model->index(QString::fromStdString(path.string()));
    return entry.isValid() && list->visualRect(entry).isValid();
  }));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
  QMetaObject::invokeMethod(&dialog, "accept");
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void BoxesShowTheirCodePageTextAsGivenUnderTheTitle() {
    tarvex::QtDialogs dialogs("Tarvex");
    for (const auto show : {&tarvex::QtDialogs::Message, &tarvex::QtDialogs::Error}) {
      QString title;
      QString text;
      Answer<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        box.accept();
      });
      (dialogs.*show)(tarvex::Cp1251FromUtf8("   COM порт ???"));
      QCOMPARE(title, QString("Tarvex"));
      QCOMPARE(text, QString::fromUtf8("   COM порт ???"));
    }
  }

  void RealDialogsGiveTheDefaultExtensionOnlyToATypedName() {
    const tarvex::testing::ScratchFolder dir("dialogs");
    const QString folder = QString::fromStdString(dir.path().string());
    const auto picked = dir.path() / "scr";
    tarvex::testing::PutFile(picked, "");
    tarvex::QtDialogs dialogs("Tarvex");

    Answer<QFileDialog>([&](QFileDialog& dialog) {
      dialog.setDirectory(folder);
      PickFromTheList(dialog, picked);
    });
    QCOMPARE(dialogs.OpenFile({"", "scr", "scr"}), Path(picked));

    Answer<QFileDialog>([&](QFileDialog& dialog) {
      dialog.setDirectory(folder);
      QTest::keyClicks(dialog.findChild<QLineEdit*>("fileNameEdit"), "conf");
      QMetaObject::invokeMethod(&dialog, "accept");
    });
    // Typed into the open dialog, a name that does not exist yet: "Open cfg" creates it.
    QCOMPARE(dialogs.OpenFile({"cfg", "*.cfg", "json"}), Path(dir.path() / "conf.json"));
  }

  void TitleIsTheExecutableNameCapitalised() {
    QCOMPARE(tarvex::ApplicationTitle("/opt/tool/TARVEX.EXE"), std::string("Tarvex"));
    QCOMPARE(tarvex::ApplicationTitle("/usr/bin/tarvex"), std::string("Tarvex"));
    QCOMPARE(tarvex::ApplicationTitle("/x/my.Tool.exe"), std::string("My.tool"));
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
