// Start-up: the framework, the four windows as the description lists them, the window
// logic on them, then the message loop.
#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstring>

#include "app/app_title.h"
#include "app/qt/cp1251.h"
#include "app/qt/find_box.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/qt_view.h"
#include "app/product_services.h"
#include "app/tform1.h"
#include "basics/version.h"

namespace {

constexpr const char* kHelp =
    "Usage: tarvex [--help] [--version] [Qt options]\n"
    "\n"
    "Opens the service tool's window for a field controller on a serial port: its\n"
    "event log, archive, configuration, script and service commands. The port and\n"
    "baud rate are the window's settings, kept in log.log.\n"
    "\n"
    "Options:\n"
    "  --help     print this help and end\n"
    "  --version  print the version and end\n"
    "The toolkit's own options (-platform, -style, ...) are taken as well.\n";

// --help and --version answer on the terminal without opening the window (and
// without a display); false when neither was asked for.
bool AnsweredOnTerminal(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kHelp, stdout);
      return true;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tarvex %s\n", tarvex::kVersion);
      return true;
    }
  }
  return false;
}

// The user's decimal separator, for the values in the responder's trace lines.
char DecimalSeparator() {
  const std::string separator = tarvex::ToCp1251(QLocale::system().decimalPoint());
  return separator.size() == 1 ? separator[0] : '.';
}

}  // namespace

int main(int argc, char** argv) {
  if (AnsweredOnTerminal(argc, argv)) return 0;
  QApplication application(argc, argv);
  const std::filesystem::path executable(QApplication::applicationFilePath().toStdU16String());
  tarvex::QtView view;
  tarvex::QtDialogs dialogs(tarvex::FromCp1251(tarvex::ApplicationTitle(executable)));
  tarvex::TForm1 form1(tarvex::ProductServices(view, dialogs, executable, DecimalSeparator()));
  view.Connect(form1);
  dialogs.SetMainWindow(&view.WindowOf(tarvex::Window::kForm1));
  dialogs.SetConfirmationDialog(&view.Confirmation());
  tarvex::FindBox find_box(&view.WindowOf(tarvex::Window::kForm1),
                           {&view.PaneOf(tarvex::Control::Memo1), &view.PaneOf(tarvex::Control::Memo)});

  view.WindowOf(tarvex::Window::kForm1).show();
  return application.exec();
}
