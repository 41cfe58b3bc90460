// The diagnostic window "Diag": a trace pane and "Clear" below its view, and a
// second "REBOOT" inside it.
#pragma once

#include <QWidget>
#include <functional>

class QPushButton;

namespace tarvex {

class TextPane;

class TForm2 : public QWidget {
 public:
  explicit TForm2(QWidget* parent = nullptr);

  TextPane* Memo;
  QPushButton* Button1;
  QPushButton* Button2;

  void Button1Click();
  void Button2Click();

  // What "REBOOT" runs: the main window's reboot operation, bound by whoever
  // provides it. Nothing happens while it is unbound.
  std::function<void()> RebootAction;
};

}  // namespace tarvex
