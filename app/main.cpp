// Start-up: the framework, then the four windows in their order, then the message loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/app_title.h"
#include "app/tform1.h"
#include "app/widgets/ok_bottom_dlg.h"
#include "app/widgets/qt_dialogs.h"
#include "app/widgets/tform2.h"
#include "app/widgets/tform3.h"
#include "basics/settings_path.h"
#include "link/clock.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  tarvex::QtDialogs dialogs(tarvex::ApplicationTitle(QApplication::applicationFilePath()));

  tarvex::TForm1 form1({
      .dialogs = dialogs,
      .clock = tarvex::RealClock(),
      .settings_path = QString::fromStdU16String(
          tarvex::SettingsPath(QApplication::applicationDirPath().toStdU16String()).u16string()),
      // At once, like the end of the process that the closing main window asks for:
      // no further clean-up; the system releases the port.
      .exit_process =
          [](int code) {
            std::fflush(nullptr);
            std::_Exit(code);
          },
  });
  dialogs.SetMainWindow(&form1);
  tarvex::TForm2 form2;
  form1.AttachDiag(&form2);
  tarvex::TForm3 form3;
  tarvex::TOKBottomDlg ok_bottom_dlg(&form1);
  dialogs.SetConfirmationDialog(&ok_bottom_dlg);

  form1.show();
  return application.exec();
}
