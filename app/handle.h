// A control as the window logic holds it: its place in the description and the view
// that draws it. Handlers read and change controls through these, never a widget.
#pragma once

#include <string>
#include <string_view>

#include "app/view.h"

namespace tarvex {

class Handle {
 public:
  Handle(View& view, Control control) : view_(&view), control_(control) {}

  Control id() const { return control_; }
  View& view() const { return *view_; }

  std::string Text() const { return view_->Text(control_); }
  void SetText(std::string_view text) const { view_->SetText(control_, text); }
  void Clear() const { view_->SetText(control_, {}); }
  void AppendText(std::string_view text) const { view_->AppendText(control_, text); }
  bool Checked() const { return view_->Checked(control_); }
  void SetChecked(bool checked) const { view_->SetChecked(control_, checked); }
  bool Hidden() const { return !view_->Shown(control_); }
  void Show() const { view_->SetShown(control_, true); }
  void Hide() const { view_->SetShown(control_, false); }
  bool Enabled() const { return view_->Enabled(control_); }
  void SetEnabled(bool enabled) const { view_->SetEnabled(control_, enabled); }
  void AddLine(std::string_view text) const { view_->AddLine(control_, text); }

 private:
  View* view_;
  Control control_;
};

}  // namespace tarvex
