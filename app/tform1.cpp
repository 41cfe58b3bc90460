#include "app/tform1.h"

#include <type_traits>
#include <variant>

namespace tarvex {

TForm1::TForm1(Services services)
    : view(services.view),
      dialogs(services.dialogs),
      clock(services.clock),
      wall_clock(services.wall_clock),
      hooks(services.view),
      link(hooks, services.clock),
      settings_(std::move(services.settings)),
      exit_process_(std::move(services.exit_process)),
      decimal_separator_(services.decimal_separator) {
  Form2.RebootAction = [this] { Run(&TForm1::Button9Click); };
  Run(&TForm1::FormCreate);
}

void TForm1::Clicked(Control control) {
  std::visit(
      [this](auto handler) {
        using Handler = decltype(handler);
        if constexpr (std::is_same_v<Handler, void (TForm1::*)()>) {
          Run(handler);
        } else if constexpr (std::is_same_v<Handler, void (TForm2::*)()>) {
          Run([this, handler] { (Form2.*handler)(); });
        }
      },
      RowOf(control).click);
}

void TForm1::MouseUp(Window window, MouseButton button) {
  if (const auto handler = RowOf(window).mouse_up) Run([this, handler, button] { (this->*handler)(button); });
}

void TForm1::CloseRequested(Window window) {
  // FormClose ends the process; when it cannot (the settings file is not writable)
  // the window stays open.
  if (const auto handler = RowOf(window).close) Run(handler);
}

}  // namespace tarvex
