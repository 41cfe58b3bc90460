// Configuration text: files, the configuration pane, the transfer to and from the
// controller, and the short-header service commands set test, test and reboot.
#include <algorithm>
#include <filesystem>
#include <span>

#include "app/handlers/command_guard.h"
#include "app/tform1.h"
#include "basics/config_file.h"
#include "basics/cp1251_text.h"
#include "basics/file_bytes.h"

namespace tarvex {
namespace {

constexpr const char* kOkMessage = "       OK";
constexpr const char* kNotOkMessage = "      NOT OK";
// "Set test" and "Reboot" answer with a blank at the end.
constexpr const char* kCommandNotOkMessage = "      NOT OK ";
constexpr const char* kNoPortMessage = "       COM?";

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Message for the result of the configuration test.
std::string VerdictMessage(std::int32_t verdict) {
  if (verdict == -1) return "      NOT OK = -1";
  if (verdict == 0) return kOkMessage;
  return "   NOT OK = " + ConfigVerdictText(verdict);
}

// The transfers' "OK"/"NOT OK" in a message box; `not_ok` as the command words it.
void ShowResultMessage(TForm1& form, bool ok, const char* not_ok = kNotOkMessage) {
  form.ShowMessage(ok ? kOkMessage : not_ok);
}

// The progress label is emptied before and after `command`, which runs only with a
// port open; without one the user is told so.
template <typename Command>
void WithOpenPort(TForm1& form, Command command) {
  form.Label.SetText("");
  if (form.link.PortHandle) {
    command();
  } else {
    form.ShowMessage(kNoPortMessage);
  }
  form.Label.SetText("");
}

// Reads the configuration or the test configuration into ConfigText and shows it; a
// failed or empty read leaves the pane empty.
void ReadConfiguration(TForm1& form, TransferResult (*upload)(Link&, std::span<std::uint8_t>)) {
  form.Memo.Clear();
  WithOpenPort(form, [&form, upload] {
    const bool read = static_cast<bool>(upload(form.link, form.ConfigText));
    if (read) {
      form.Memo.Clear();
      form.Memo.SetText(TextUpToFirstZero(form.ConfigText));
    }
    ShowResultMessage(form, read);
  });
}

}  // namespace

bool TForm1::LoadConfigText(const std::filesystem::path& path) {
  view.SetCaption(Window::kForm1, Cp1251FromPath(path));
  return LoadTextFile(path, ConfigText, ConfigTextLength) != LoadResult::kFailed;
}

void TForm1::OpeClick() {
  // A running transfer reads or fills ConfigText: the file must wait for it.
  RunCommand(CommandRunning, [this] {
    const auto path = dialogs.OpenFile(OpenDialog);
    if (!path) return;
    LoadConfigText(*path);
    Memo.Clear();
    Memo.SetText(WithCrLfBreaks(TextUpToFirstZero(ConfigText)));
  });
}

void TForm1::SavClick() {
  const auto path = dialogs.SaveFile(SaveDialog);
  if (!path) return;
  const std::string text = Memo.Text();
  ConfigTextLength = static_cast<std::int32_t>(text.size());
  WriteFileBytes(*path, Bytes(text));
}

void TForm1::UplClick() {
  RunCommand(CommandRunning, [this] { ReadConfiguration(*this, UploadConfig); });
}

void TForm1::Upl_testClick() {
  RunCommand(CommandRunning, [this] { ReadConfiguration(*this, UploadTestConfig); });
}

void TForm1::Set_TestClick() {
  RunCommand(CommandRunning, [this] {
    WithOpenPort(*this, [this] { ShowResultMessage(*this, SetTest(link), kCommandNotOkMessage); });
  });
}

void TForm1::BuRebootClick() {
  RunCommand(CommandRunning, [this] {
    WithOpenPort(*this, [this] {
      // The controller restarts: the port is closed whatever it answered.
      const bool rebooted = SendReboot(link);
      link.Close();
      ShowResultMessage(*this, rebooted, kCommandNotOkMessage);
      ok.Hide();
    });
  });
}

void TForm1::TestClick() {
  RunCommand(CommandRunning, [this] {
    WithOpenPort(*this, [this] { ShowMessage(VerdictMessage(TestConfig(link))); });
  });
}

void TForm1::Down_testClick() {
  RunCommand(CommandRunning, [this] {
    WithOpenPort(*this, [this] {
      const std::string text = Memo.Text();
      // ConfigText holds the text of the write when it fits with its terminating 0; a
      // longer one the write refuses whole (a cut configuration would pass for the real
      // one).
      if (text.size() < ConfigText.size()) {
        ConfigText.fill(0);
        std::ranges::copy(text, ConfigText.begin());
      }
      ShowResultMessage(*this, static_cast<bool>(DownloadConfig(link, Bytes(text))));
    });
  });
}

}  // namespace tarvex
