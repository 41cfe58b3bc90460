// The main window: every control of the layout, the link it drives, and the state
// that the command handlers share. Handlers live in handlers/, one file per group:
//   tform1_shell.cpp   port selection, status labels, panes, Stop, settings, Diag
//   tform1_config.cpp  configuration files and transfer, set test, test, reboot
//   tform1_script.cpp  script download, upload and clear
//   tform1_log.cpp     event log: LOG retrieval, count and pointer queries, Clear log,
//                      count boxes
//   tform1_archive.cpp archive: pointer query and RETRO retrieval
//   tform1_service.cpp REBOOT (also Diag's), Registration, Ident, Press
//   tform1_responder.cpp the responder test ("Start")
// Further groups add their own tform1_<group>.cpp, declare their handlers below in
// the window's declaration order and bind their controls in a Bind<Group>Handlers()
// called from the constructor (tform1.cpp).
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "app/widgets/dialogs.h"
#include "app/window_link_hooks.h"
#include "basics/wall_clock.h"
#include "link/clock.h"
#include "link/config_transfer.h"
#include "link/link.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class TextPane;
class TForm2;

class TForm1 : public QWidget {
 public:
  // What the window needs from outside; tests pass their own.
  struct Services {
    Dialogs& dialogs;
    Clock& clock;
    // The settings file, "log.log" (basics/settings_path.h).
    QString settings_path;
    // Ends the process at once with the given exit code.
    std::function<void(int)> exit_process;
    // The PC's calendar clock (the archive's zone shift, the responder's device clock).
    WallClock& wall_clock = SystemWallClock();
  };

  // Builds the controls and runs FormCreate (reads the settings).
  explicit TForm1(Services services);
  ~TForm1() override;

  // The diagnostic window, created after this one: its trace pane receives the
  // link's trace lines and right clicks show it.
  void AttachDiag(TForm2* form2);
  TForm2* Form2 = nullptr;

  // Controls and file dialogs, in declaration order, which is also the order in
  // which the controls are created.
  TextPane* Memo = nullptr;
  QPushButton* Ope = nullptr;
  FileDialogSetup OpenDialog{"cfg", "*.cfg", "json"};
  FileDialogSetup SaveDialog{"cfg", "*.cfg", "json"};
  QPushButton* Sav = nullptr;
  QPushButton* DownScr = nullptr;
  QPushButton* Upl = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* ReadTim = nullptr;
  QPushButton* OpenCom = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Set_Test = nullptr;
  QPushButton* Down_testik = nullptr;
  QPushButton* Upl_test = nullptr;
  QLabel* ok = nullptr;
  QLabel* Label = nullptr;
  QPushButton* BuReboot = nullptr;
  QPushButton* Button2 = nullptr;
  QLineEdit* add1 = nullptr;
  QLineEdit* add2 = nullptr;
  QLineEdit* day = nullptr;
  QLineEdit* Boud = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QLabel* Label2 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QComboBox* ComboBox3 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QPushButton* ButtonUp = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QPushButton* ButKillLog = nullptr;
  QPushButton* ButBegLog = nullptr;
  FileDialogSetup OpenDialog1{"", "scr", "scr"};
  TextPane* Memo1 = nullptr;
  FileDialogSetup SaveDialog1{"", "", "log"};
  QPushButton* ButContLog = nullptr;
  QPushButton* ButBegRetro = nullptr;
  QPushButton* ButContRetro = nullptr;
  QCheckBox* Last10 = nullptr;
  QCheckBox* Last100 = nullptr;
  QCheckBox* Index = nullptr;
  QLineEdit* Beg = nullptr;
  QLineEdit* End2 = nullptr;
  QCheckBox* chFile = nullptr;
  QPushButton* Button3 = nullptr;
  QCheckBox* Last500 = nullptr;
  QLineEdit* Edi = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QPushButton* Button6 = nullptr;
  QLineEdit* EdONE = nullptr;
  QCheckBox* ONE = nullptr;
  QLineEdit* EdVal = nullptr;
  FileDialogSetup SaveDialog2{"", "", "ret"};
  QPushButton* Button7 = nullptr;
  QPushButton* Button8 = nullptr;
  QPushButton* ButContCount = nullptr;
  QPushButton* Button9 = nullptr;

  // Handlers, in the window's declaration order.
  void OpeClick();
  void SavClick();
  void DownScrClick();
  void TestClick();
  void UplClick();
  void OpenComClick();
  void FormMouseUp(Qt::MouseButton button);
  void Button1Click();
  void Set_TestClick();
  void Down_testClick();
  void Upl_testClick();
  void BuRebootClick();
  void Button2Click();
  void FormClose();
  void Down_testikClick();
  void ButtonUpClick();
  void ButKillLogClick();
  void ButBegLogClick();
  void ButContLogClick();
  void ButBegRetroClick();
  void ButContRetroClick();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void IndexClick();
  void Last500Click();
  void Last100Click();
  void Last10Click();
  void ONEClick();
  void Button7Click();
  void Button8Click();
  void FormCreate();
  void ButContCountClick();
  void Button9Click();

  // Operations for the command handlers.
  // Opens the port Edit1 names (PortNameFromText) at the baud rate in Boud into
  // link.PortHandle; false on failure. A Boud text that is no integer throws the
  // conversion error.
  bool OpenSelectedPort();
  // Opens the port unless `ok` is shown; a failure shows "   COM порт ???" and the
  // caller goes on (its exchanges then fail).
  void EnsurePortOpen();
  // Outcome labels: HideStatus() hides "OK" and "NOT OK" and lets the window repaint
  // before the exchange; one of ShowOk()/ShowNotOk() when the command is over, or
  // ShowResult(ok) for the one that `ok` says.
  void HideStatus();
  void ShowOk();
  void ShowNotOk();
  void ShowResult(bool ok);
  // With "Файл" ticked, the output file chosen in `dialog`; none when it is not ticked
  // or the dialog was cancelled.
  std::optional<std::filesystem::path> ChosenOutputFile(const FileDialogSetup& dialog);
  // A plain message box (UTF-8 text, leading blanks kept).
  void ShowMessage(const char* utf8_text);

  // Runs a handler the way the framework does: an error it throws ends it and is
  // shown in the error box.
  void Run(void (TForm1::*handler)());
  // Clicks of `control` run `handler` through Run().
  void Bind(QAbstractButton* control, void (TForm1::*handler)());

  // Shared state of the commands.
  Dialogs& dialogs;
  Clock& clock;
  WallClock& wall_clock;
  WindowLinkHooks hooks;
  // PortHandle, TransferFrame and FrameLength.
  Link link;
  std::array<std::uint8_t, kConfigTextSize> ConfigText{};
  std::int32_t ConfigTextLength = 0;
  std::int32_t RecordPointer = 0;
  bool StopRequested = false;
  // Set by RunCommand while a command runs; the responder loop clears it while it
  // waits for a poll, so that other commands run then.
  bool CommandRunning = false;
  // Set while the responder loop ("Start") runs: a second one is refused.
  bool ResponderRunning = false;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // tform1_layout.cpp
  void BuildControls();
  void SetTabOrder();
  // tform1_shell.cpp
  void BindShellHandlers();
  void ShowOpenResult(bool opened);
  // tform1_config.cpp
  void BindConfigHandlers();
  // Loads the file at `path` into ConfigText and ConfigTextLength, captioning the
  // window with the path; false when the file could not be read.
  bool LoadConfigText(const QString& path);
  // Replaces the file at `path` with `bytes`; false unless all were written.
  bool WriteWholeFile(const QString& path, std::span<const std::uint8_t> bytes);
  // tform1_script.cpp
  void BindScriptHandlers();
  // tform1_archive.cpp
  void BindArchiveHandlers();
  // tform1_service.cpp
  void BindServiceHandlers();
  // Diag's "REBOOT" runs Button9Click.
  void BindDiagReboot();
  // tform1_responder.cpp
  void BindResponderHandlers();
  // The loop of "Start": answers polls until a conversion error or the window's closing.
  void RespondUntilClosed();
  // tform1_log.cpp
  void BindLogHandlers();

  QString settings_path_;
  std::function<void(int)> exit_process_;
};

}  // namespace tarvex
