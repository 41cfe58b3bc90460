// Service commands: "REBOOT" (also the diagnostic window's), "Registration", "Ident"
// and "Press".
#include <QLineEdit>
#include <QPushButton>

#include "app/command_guard.h"
#include "app/cp1251.h"
#include "app/tform1.h"
#include "app/tform2.h"
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
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  if (dialogs.Confirm() != Dialogs::kYes) return;
  HideStatus();
  if (Register(link)) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

void TForm1::Button4Click() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  Edi->clear();
  HideStatus();
  RecordPointer = ReadIdent(link);
  if (IsIdentRead(RecordPointer)) {
    Edi->setText(QString::number(RecordPointer));
    ShowOk();
  } else {
    ShowNotOk();
  }
}

void TForm1::Button5Click() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  Edi->clear();
  HideStatus();
  // Four blanks while the value is read, the text of a pressure not read.
  Edi->setText(FromCp1251(PressureText(0.0f)));
  const float pressure = ReadPressure(link);
  Edi->setText(FromCp1251(PressureText(pressure)));
  if (IsPressureRead(pressure)) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

void TForm1::Button9Click() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  EnsurePortOpen();
  // A reboot, an answer and silence look alike: nothing is shown.
  SendRebootText(link);
}

}  // namespace tarvex
