// A view without a toolkit for the handler tests: each control's state as the
// description starts it, changed only by the logic and by the test's clicks.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/handle.h"
#include "app/pane_rule.h"
#include "app/view.h"
#include "basics/cp1251_text.h"

namespace tarvex::testing {

class FakeView final : public View {
 public:
  struct State {
    std::string text;
    bool checked = false;
    bool shown = true;
    bool enabled = true;
  };

  FakeView() {
    for (const ControlRow& row : Controls()) {
      controls[static_cast<int>(row.id)] = {Cp1251FromUtf8(row.text), (row.look & kTicked) != 0,
                                            (row.look & kHidden) == 0, (row.look & kDisabled) == 0};
    }
    for (const WindowRow& row : Windows()) captions[static_cast<int>(row.id)] = Cp1251FromUtf8(CaptionOf(row.id));
  }

  void Connect(ViewEvents& events) { events_ = &events; }

  // A user's click: a check box changes, then the handler runs; a hidden or disabled
  // control takes no click.
  void Click(Control control) {
    State& state = At(control);
    if (!state.shown || !state.enabled) return;
    if (RowOf(control).kind == Kind::kCheckBox) state.checked = !state.checked;
    if (events_ != nullptr) events_->Clicked(control);
  }

  std::string Text(Control control) override { return At(control).text; }
  void SetText(Control control, std::string_view text) override { At(control).text = text; }
  void AppendText(Control control, std::string_view text) override { At(control).text += text; }
  bool Checked(Control control) override { return At(control).checked; }
  void SetChecked(Control control, bool checked) override { At(control).checked = checked; }
  bool Shown(Control control) override { return At(control).shown; }
  void SetShown(Control control, bool shown) override { At(control).shown = shown; }
  bool Enabled(Control control) override { return At(control).enabled; }
  void SetEnabled(Control control, bool enabled) override { At(control).enabled = enabled; }
  void AddLine(Control pane, std::string_view text) override {
    std::string& all = At(pane).text;
    all += AddedText(EndsInLineBreak(all), text);
  }
  void SetCaption(Window window, std::string_view text) override { captions[static_cast<int>(window)] = text; }
  void ShowWindow(Window window) override { windows_shown.push_back(window); }
  void PumpMessages() override {
    ++pumps;
    if (on_pump) on_pump();
  }

  std::array<State, kControlCount> controls;
  std::array<std::string, kWindowCount> captions;
  std::vector<Window> windows_shown;
  int pumps = 0;
  // What the user does whenever the logic lets messages run (a click during a wait).
  std::function<void()> on_pump;

 private:
  State& At(Control control) { return controls[static_cast<int>(control)]; }

  ViewEvents* events_ = nullptr;
};

inline void ClickOn(FakeView& view, Control control) { view.Click(control); }

}  // namespace tarvex::testing
