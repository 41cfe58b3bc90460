// Service commands: "REBOOT" (also the diagnostic window's), "Registration", "Ident"
// and "Press".
#include <QLineEdit>
#include <QPushButton>

#include "app/handlers/command_guard.h"
#include "app/tform1.h"
#include "app/widgets/cp1251.h"
#include "app/widgets/tform2.h"
#include "service/service_commands.h"

namespace tarvex {

void TForm1::BindServiceHandlers() {
  Bind(Button3, &TForm1::Button3Click);
  Bind(Button4, &TForm1::Button4Click);
  Bind(Button5, &TForm1::Button5Click);
  Bind(Button9, &TForm1::Button9Click);
}

void TForm1::BindDiagReboot() {
  if (Form2 != nullptr) Form2->RebootAction = [this] { Run(&TForm1::Button9Click); };
}

void TForm1::Button3Click() {
  RunCommand(CommandRunning, [this] {
    if (dialogs.Confirm() != Dialogs::kYes) return;
    HideStatus();
    ShowResult(Register(link));
  });
}

void TForm1::Button4Click() {
  RunCommand(CommandRunning, [this] {
    Edi->clear();
    HideStatus();
    RecordPointer = ReadIdent(link);
    const bool read = IsIdentRead(RecordPointer);
    if (read) Edi->setText(QString::number(RecordPointer));
    ShowResult(read);
  });
}

void TForm1::Button5Click() {
  RunCommand(CommandRunning, [this] {
    Edi->clear();
    HideStatus();
    // Four blanks while the value is read, the text of a pressure not read.
    Edi->setText(FromCp1251(PressureText(0.0f)));
    const float pressure = ReadPressure(link);
    Edi->setText(FromCp1251(PressureText(pressure)));
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
