// The Qt renderer: builds the four windows exactly as the description lists them
// (object names are the controls' names) and reports clicks, closing and mouse
// releases to the window logic.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "app/view.h"

namespace tarvex {

class TextPane;
class TOKBottomDlg;

class QtView final : public View {
 public:
  QtView();
  ~QtView() override;

  // Where clicks, closing and mouse releases go; nothing is reported before.
  void Connect(ViewEvents& events);

  QWidget& WindowOf(Window window) const { return *windows_[static_cast<int>(window)]; }
  QWidget& WidgetOf(Control control) const { return *controls_[static_cast<int>(control)]; }
  TextPane& PaneOf(Control pane) const;
  TOKBottomDlg& Confirmation() const;

  std::string Text(Control control) override;
  void SetText(Control control, std::string_view text) override;
  void AppendText(Control control, std::string_view text) override;
  bool Checked(Control control) override;
  void SetChecked(Control control, bool checked) override;
  bool Shown(Control control) override;
  void SetShown(Control control, bool shown) override;
  bool Enabled(Control control) override;
  void SetEnabled(Control control, bool enabled) override;
  void AddLine(Control pane, std::string_view text) override;
  void SetCaption(Window window, std::string_view text) override;
  void ShowWindow(Window window) override;
  void PumpMessages() override;

 private:
  void BuildControl(const ControlRow& row);

  ViewEvents* events_ = nullptr;
  // The main window first: the others are its children or stand beside it.
  std::array<std::unique_ptr<QWidget>, kWindowCount> windows_;
  std::array<QWidget*, kControlCount> controls_{};
};

}  // namespace tarvex
