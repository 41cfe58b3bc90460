// The main window's logic: every control as a handle on the view, the link it drives,
// and the state that the command handlers share. It knows no toolkit: a renderer draws
// the controls the description lists and reports what the user does. Handlers live in
// handlers/, one file per group:
//   tform1_shell.cpp   port selection, status labels, panes, Stop, settings, Diag
//   tform1_config.cpp  configuration files and transfer, set test, test, reboot
//   tform1_script.cpp  script download, upload and clear
//   tform1_log.cpp     event log: LOG retrieval, count and pointer queries, Clear log,
//                      count boxes
//   tform1_archive.cpp archive: pointer query and RETRO retrieval
//   tform1_service.cpp REBOOT (also Diag's), Registration, Ident, Press
//   tform1_responder.cpp the responder test ("Start")
// A control's click runs the handler its row in the description names.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "app/dialogs.h"
#include "app/handle.h"
#include "app/tform2.h"
#include "app/view.h"
#include "app/window_link_hooks.h"
#include "basics/settings_path.h"
#include "basics/wall_clock.h"
#include "link/clock.h"
#include "link/config_transfer.h"
#include "link/link.h"

namespace tarvex {

class TForm1 final : public ViewEvents {
 public:
  // What the window needs from outside; tests pass their own.
  struct Services {
    View& view;
    Dialogs& dialogs;
    Clock& clock;
    // The settings files, "log.log" (basics/settings_path.h).
    SettingsFiles settings;
    // Ends the process at once with the given exit code.
    std::function<void(int)> exit_process;
    // The PC's calendar clock (the archive's zone shift, the responder's device clock).
    WallClock& wall_clock = SystemWallClock();
    // The user's decimal separator, for the values in the responder's trace lines.
    char decimal_separator = '.';
  };

  // Takes the controls the view has built and runs FormCreate (reads the settings).
  explicit TForm1(Services services);

  // Declared before the controls: each handle is made with it.
  View& view;

  // Controls and file dialogs, in declaration order.
  Handle Memo{view, Control::Memo};
  Handle Ope{view, Control::Ope};
  const FileDialogSetup OpenDialog{"cfg", "*.cfg", "json"};
  const FileDialogSetup SaveDialog{"cfg", "*.cfg", "json"};
  Handle Sav{view, Control::Sav};
  Handle DownScr{view, Control::DownScr};
  Handle Upl{view, Control::Upl};
  Handle Edit1{view, Control::Edit1};
  Handle Label1{view, Control::Label1};
  Handle ReadTim{view, Control::ReadTim};
  Handle OpenCom{view, Control::OpenCom};
  Handle Button1{view, Control::Button1};
  Handle Set_Test{view, Control::Set_Test};
  Handle Down_testik{view, Control::Down_testik};
  Handle Upl_test{view, Control::Upl_test};
  Handle ok{view, Control::ok};
  Handle Label{view, Control::Label};
  Handle BuReboot{view, Control::BuReboot};
  Handle Button2{view, Control::Button2};
  Handle add1{view, Control::add1};
  Handle add2{view, Control::add2};
  Handle day{view, Control::day};
  Handle Boud{view, Control::Boud};
  Handle ComboBox1{view, Control::ComboBox1};
  Handle Label2{view, Control::Label2};
  Handle ComboBox2{view, Control::ComboBox2};
  Handle ComboBox3{view, Control::ComboBox3};
  Handle Label3{view, Control::Label3};
  Handle Label4{view, Control::Label4};
  Handle Label5{view, Control::Label5};
  Handle ButtonUp{view, Control::ButtonUp};
  Handle Label6{view, Control::Label6};
  Handle Label7{view, Control::Label7};
  Handle ButKillLog{view, Control::ButKillLog};
  Handle ButBegLog{view, Control::ButBegLog};
  const FileDialogSetup OpenDialog1{"", "scr", "scr"};
  Handle Memo1{view, Control::Memo1};
  const FileDialogSetup SaveDialog1{"", "", "log"};
  Handle ButContLog{view, Control::ButContLog};
  Handle ButBegRetro{view, Control::ButBegRetro};
  Handle ButContRetro{view, Control::ButContRetro};
  Handle Last10{view, Control::Last10};
  Handle Last100{view, Control::Last100};
  Handle Index{view, Control::Index};
  Handle Beg{view, Control::Beg};
  Handle End2{view, Control::End2};
  Handle chFile{view, Control::chFile};
  Handle Button3{view, Control::Button3};
  Handle Last500{view, Control::Last500};
  Handle Edi{view, Control::Edi};
  Handle Button4{view, Control::Button4};
  Handle Button5{view, Control::Button5};
  Handle Button6{view, Control::Button6};
  Handle EdONE{view, Control::EdONE};
  Handle ONE{view, Control::ONE};
  Handle EdVal{view, Control::EdVal};
  const FileDialogSetup SaveDialog2{"", "", "ret"};
  Handle Button7{view, Control::Button7};
  Handle Button8{view, Control::Button8};
  Handle ButContCount{view, Control::ButContCount};
  Handle Button9{view, Control::Button9};

  // The diagnostic window: its trace pane receives the link's trace lines, and a
  // right click on the main window's surface shows it.
  TForm2 Form2{view};

  // Handlers, in the window's declaration order.
  void OpeClick();
  void SavClick();
  void DownScrClick();
  void TestClick();
  void UplClick();
  void OpenComClick();
  void FormMouseUp(MouseButton button);
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
  void ShowMessage(std::string_view utf8_text);

  // Runs a handler the way the framework does: an error it throws ends it and is
  // shown in the error box.
  template <typename Handler>
  void Run(Handler handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      dialogs.Error(error.what());
    }
  }
  void Run(void (TForm1::*handler)()) {
    Run([this, handler] { (this->*handler)(); });
  }

  // ViewEvents: what the renderer reports.
  void Clicked(Control control) override;
  void MouseUp(Window window, MouseButton button) override;
  void CloseRequested(Window window) override;
  bool Busy() const override { return CommandRunning; }

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

 private:
  // tform1_shell.cpp
  void ShowOpenResult(bool opened);
  // tform1_config.cpp
  // Loads the file at `path` into ConfigText and ConfigTextLength, captioning the
  // window with the path; false when the file could not be read.
  bool LoadConfigText(const std::filesystem::path& path);
  // tform1_responder.cpp
  // The loop of "Start": answers polls until a conversion error or the window's closing.
  void RespondUntilClosed();

  SettingsFiles settings_;
  std::function<void(int)> exit_process_;
  char decimal_separator_;
};

}  // namespace tarvex
