// Start-up: the framework, the four windows as the description lists them, the window
// logic on them, then the message loop.
#include <QApplication>
#include <QLocale>

#include "app/app_title.h"
#include "app/qt/cp1251.h"
#include "app/qt/find_box.h"
#include "app/qt/qt_dialogs.h"
#include "app/qt/qt_view.h"
#include "app/product_services.h"
#include "app/tform1.h"

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
  tarvex::TForm1 form1(tarvex::ProductServices(view, dialogs, executable, DecimalSeparator()));
  view.Connect(form1);
  dialogs.SetMainWindow(&view.WindowOf(tarvex::Window::kForm1));
  dialogs.SetConfirmationDialog(&view.Confirmation());
  tarvex::FindBox find_box(&view.WindowOf(tarvex::Window::kForm1),
                           {&view.PaneOf(tarvex::Control::Memo1), &view.PaneOf(tarvex::Control::Memo)});

  view.WindowOf(tarvex::Window::kForm1).show();
  return application.exec();
}
