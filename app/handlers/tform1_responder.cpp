// The responder test, "Start": the tool answers the controller's polls as field
// devices do and traces every request in the lower pane.

#include "app/handlers/command_guard.h"
#include "app/tform1.h"
#include "service/responder.h"

namespace tarvex {

void TForm1::Button2Click() {
  // Other commands run while the loop waits for a poll; a second loop does not.
  RunCommand(CommandRunning, [this] { RunCommand(ResponderRunning, [this] { RespondUntilClosed(); }); });
}

void TForm1::RespondUntilClosed() {
  // Runs until a conversion error ends it or the window closes.
  while (!hooks.Closing()) {
    // Waiting for a poll is not an exchange: other commands run meanwhile, nested
    // here (the pump that ends a pass included). One that used the line voids the
    // wait: what it had read is dropped and a fresh wait begins.
    CommandRunning = false;
    hooks.BeginPollWait();
    hooks.PumpMessages();
    const std::size_t received = ReceiveRequest(link);
    const bool interrupted = hooks.EndPollWait();
    CommandRunning = true;
    if (received == 0 || interrupted) continue;
    // Each request is answered from the edit boxes as they are once it is in.
    const ResponderTexts texts{
        .day = day.Text(), .add1 = add1.Text(), .add2 = add2.Text()};
    const ResponderReply reply = AnswerRequest(link, texts, wall_clock, decimal_separator_);
    for (const std::string& line : reply.trace) Memo.AddLine(std::string_view(line));
  }
}

}  // namespace tarvex
