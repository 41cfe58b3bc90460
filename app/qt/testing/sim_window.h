// The window against the simulated controller on a pseudo-terminal: the model served
// on its own thread, the window on the real clock with its port box naming the link.
#pragma once

#include <QLineEdit>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/testing/shell.h"
#include "sim/pty/pty_server.h"
#include "testing/log_file.h"

namespace tarvex::testing {

class SimWindow {
 public:
  // `baud` > 0 paces the simulator's replies at that rate; 0 sends them at once.
  // `clock`: the window's clock, the real one unless a test speeds up its waits.
  explicit SimWindow(std::size_t event_records, std::int32_t baud = 0, Clock* clock = &RealClock())
      : model_(sim::ModelOptions{.event_records = event_records}),
        server_(model_, Options(baud)),
        shell(std::nullopt, clock) {
    server_.Start();
    shell.form->Edit1->setText(QString::fromStdString(server_.link_path()));
    shell.form->Boud->setText("38400");
  }
  ~SimWindow() {
    shell.form->link.Close();
    server_.Stop();
    std::filesystem::remove_all(std::filesystem::path(LinkPath()).parent_path());
  }

  TForm1& form() { return *shell.form; }
  sim::PtyServer& server() { return server_; }

  // The log file of a retrieval of `n` records from `first` on: the pointer line, then
  // each record the simulator holds, rendered.
  std::string ExpectedLogFile(std::int32_t pointer, std::int32_t first, std::int32_t n) {
    std::string file;
    server_.WithModel([&](sim::ControllerModel& model) { file = sim::ExpectedLogFile(model, pointer, first, n); });
    return file;
  }

 private:
  static sim::PtyOptions Options(std::int32_t baud) {
    sim::PtyOptions options;
    options.link_path = LinkPath();
    options.baud = baud;
    return options;
  }
  static std::string LinkPath() {
    return (std::filesystem::temp_directory_path() /
            ("tarvex-app-log-" + std::to_string(::getpid())) / "tty")
        .string();
  }

  sim::ControllerModel model_;
  sim::PtyServer server_;

 public:
  Shell shell;
};

}  // namespace tarvex::testing
