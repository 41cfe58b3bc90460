// Test rig: the window logic with its port open on the simulated controller, reached
// through a fake port on the fake clock, so that silent waits cost no real time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/testing/shell.h"
#include "sim/model/controller_model.h"
#include "testing/fake_port.h"
#include "testing/model_peer.h"

namespace tarvex::testing {

// A pane's lines, empty ones left out.
inline std::vector<std::string> PaneLines(const Handle& pane) {
  std::vector<std::string> lines;
  const std::string text = pane.Text();
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find("\r\n", start), text.size());
    if (end > start) lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

class ModelPortRig {
 public:
  explicit ModelPortRig(const sim::ModelOptions& options = {}) : model(options) {
    auto port = std::make_unique<FakePort>(shell.clock, ModelPeer(model));
    port_ = port.get();
    shell.form->link.PortHandle = std::move(port);
    shell.form->ok.Show();
  }

  TForm1& form() { return *shell.form; }
  // Every request written to the port, in order; valid while the port is open.
  const std::vector<std::vector<std::uint8_t>>& writes() const { return port_->writes; }
  // The port, to inject bytes that come without a request (the controller's polls).
  FakePort& port() { return *port_; }
  // The diagnostic window's trace, one entry per line.
  std::vector<std::string> TraceLines() const { return PaneLines(shell.form->Form2.Memo); }
  bool OkShown() const { return !shell.form->Label2.Hidden(); }
  bool NotOkShown() const { return !shell.form->Label5.Hidden(); }

  Shell shell;
  sim::ControllerModel model;

 private:
  FakePort* port_ = nullptr;
};

inline std::vector<std::uint8_t> BytesOf(const std::string& text) { return {text.begin(), text.end()}; }

inline std::string StringOf(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace tarvex::testing
