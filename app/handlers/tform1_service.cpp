// Service commands: "REBOOT" (also the diagnostic window's), "Registration", "Ident"
// and "Press".

#include "app/handlers/command_guard.h"
#include "app/tform1.h"
#include "service/service_commands.h"

namespace tarvex {

void TForm1::Button3Click() {
  RunCommand(CommandRunning, [this] {
    if (dialogs.Confirm() != Dialogs::kYes) return;
    HideStatus();
    ShowResult(Register(link));
  });
}

void TForm1::Button4Click() {
  RunCommand(CommandRunning, [this] {
    Edi.Clear();
    HideStatus();
    RecordPointer = ReadIdent(link);
    const bool read = IsIdentRead(RecordPointer);
    if (read) Edi.SetText(std::to_string(RecordPointer));
    ShowResult(read);
  });
}

void TForm1::Button5Click() {
  RunCommand(CommandRunning, [this] {
    Edi.Clear();
    HideStatus();
    // Four blanks while the value is read, the text of a pressure not read.
    Edi.SetText(PressureText(0.0f));
    const float pressure = ReadPressure(link);
    Edi.SetText(PressureText(pressure));
    ShowResult(IsPressureRead(pressure));
  });
}

void TForm1::Button9Click() {
  RunCommand(CommandRunning, [this] {
    EnsurePortOpen();
    // A reboot, an answer and silence look alike: nothing is shown.
    SendRebootText(link);
  });
}

}  // namespace tarvex
