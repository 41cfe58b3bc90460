// Start-up: the framework, the four windows as the description lists them, the window
// logic on them, then the message loop.
#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>

#include "app/app_title.h"
#include "app/qt/cp1251.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/qt_view.h"
#include "app/tform1.h"
#include "basics/settings_path.h"
#include "link/clock.h"

namespace {

// The user's decimal separator, for the values in the responder's trace lines.
char DecimalSeparator() {
  const std::string separator = tarvex::ToCp1251(QLocale::system().decimalPoint());
  return separator.size() == 1 ? separator[0] : '.';
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const std::filesystem::path executable(QApplication::applicationFilePath().toStdU16String());
  tarvex::QtView view;
  tarvex::QtDialogs dialogs(tarvex::FromCp1251(tarvex::ApplicationTitle(executable)));
  tarvex::TForm1 form1({
      .view = view,
      .dialogs = dialogs,
      .clock = tarvex::RealClock(),
      .settings_path = tarvex::SettingsPath(executable.parent_path()),
      // At once, like the end of the process that the closing main window asks for:
      // no further clean-up; the system releases the port.
      .exit_process =
          [](int code) {
            std::fflush(nullptr);
            std::_Exit(code);
          },
      .decimal_separator = DecimalSeparator(),
  });
  view.Connect(form1);
  dialogs.SetMainWindow(&view.WindowOf(tarvex::Window::kForm1));
  dialogs.SetConfirmationDialog(&view.Confirmation());

  view.WindowOf(tarvex::Window::kForm1).show();
  return application.exec();
}
