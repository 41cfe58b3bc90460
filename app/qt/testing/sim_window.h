// The window against the simulated controller on a pseudo-terminal (or a TCP port): the
// model served on its own thread, the window on the real clock with its port box naming
// the link.
#pragma once

#include <unistd.h>

#include <QStringList>
#include <filesystem>
#include <string>

#include "app/qt/cp1251.h"
#include "app/qt/testing/qt_shell.h"
#include "sim/pty/pty_server.h"
#include "testing/log_file.h"

namespace tarvex::testing {

// Requests written so far: the link marks each with " . " in the progress label.
inline int RequestsWritten(TForm1& form) {
  const std::string label = form.Label.Text();
  int marks = 0;
  for (auto at = label.find(" . "); at != std::string::npos; at = label.find(" . ", at + 3)) ++marks;
  return marks;
}

// A pane's lines, empty ones left out.
inline QStringList LinesOf(const Handle& pane) { return FromCp1251(pane.Text()).split("\r\n", Qt::SkipEmptyParts); }

class SimWindow {
 public:
  // `baud` > 0 paces the simulator's replies at that rate; 0 sends them at once.
  // `clock`: the window's clock, the real one unless a test speeds up its waits.
  // `listen`: the simulator on that TCP port ("127.0.0.1:0"), the port box naming it.
  explicit SimWindow(const sim::ModelOptions& options, std::int32_t baud = 0, Clock* clock = &RealClock(),
                     const std::string& listen = "")
      : model_(options),
        server_(model_, Options(baud, listen)),
        shell(std::nullopt, clock) {
    server_.Start();
    shell.form->Edit1.SetText(server_.link_path());
    shell.form->Boud.SetText("38400");
  }
  explicit SimWindow(std::size_t event_records, std::int32_t baud = 0, Clock* clock = &RealClock())
      : SimWindow(sim::ModelOptions{.event_records = event_records}, baud, clock) {}
  ~SimWindow() {
    shell.form->link.Close();
    server_.Stop();
    std::filesystem::remove_all(std::filesystem::path(LinkPath()).parent_path());
  }

  TForm1& form() { return *shell.form; }
  sim::PtyServer& server() { return server_; }

  // Ticks "Файл" and answers the next file dialog with `name` in the test's folder.
  std::filesystem::path ChooseFile(const char* name) {
    shell.form->chFile.SetChecked(true);
    const auto path = shell.PathOf(name);
    shell.dialogs.file_answers.push_back(path);
    return path;
  }

  // The log file of a retrieval of `n` records from `first` on: the pointer line, then
  // each record the simulator holds, rendered.
  std::string ExpectedLogFile(std::int32_t pointer, std::int32_t first, std::int32_t n) {
    std::string file;
    server_.WithModel([&](sim::ControllerModel& model) { file = sim::ExpectedLogFile(model, pointer, first, n); });
    return file;
  }

 private:
  static sim::PtyOptions Options(std::int32_t baud, const std::string& listen) {
    sim::PtyOptions options;
    options.link_path = LinkPath();
    options.listen = listen;
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
  QtShell shell;
};

}  // namespace tarvex::testing
