// The responder test, "Start": the tool answers the controller's polls as field
// devices do and traces every request in the lower pane.
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "app/command_guard.h"
#include "app/cp1251.h"
#include "app/tform1.h"
#include "app/text_pane.h"
#include "service/responder.h"

namespace tarvex {
namespace {

// The user's decimal separator, for the values in the trace lines.
char DecimalSeparator() {
  const std::string separator = ToCp1251(QLocale::system().decimalPoint());
  return separator.size() == 1 ? separator[0] : '.';
}

}  // namespace

void TForm1::BindResponderHandlers() { Bind(Button2, &TForm1::Button2Click); }

void TForm1::Button2Click() {
  // Held for the whole loop: no other exchange may use the port and TransferFrame
  // while the test answers polls.
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  const char separator = DecimalSeparator();
  // Each request is answered from the edit boxes as they are when it has come in.
  const auto read_texts = [this] {
    return ResponderTexts{
        .day = ToCp1251(day->text()), .add1 = ToCp1251(add1->text()), .add2 = ToCp1251(add2->text())};
  };
  // Runs until a conversion error ends it or the window closes.
  while (!hooks.AbandonWait()) {
    const ResponderReply reply = RunResponderStep(link, read_texts, wall_clock, separator);
    for (const std::string& line : reply.trace) Memo->AddLine(std::string_view(line));
    QCoreApplication::processEvents();
  }
}

}  // namespace tarvex
