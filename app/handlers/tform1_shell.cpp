// Port selection, status labels, the two "Clear" buttons, Stop, the settings file
// and the diagnostic window.
#include <filesystem>

#include "app/handlers/framework_error.h"
#include "app/tform1.h"
#include "basics/cp1251_text.h"
#include "basics/ini_file.h"
#include "basics/port_settings.h"
#include "basics/str_to_int.h"
#include "link/port_name.h"

namespace tarvex {
namespace {

constexpr const char* kNoPortMessage = "   COM порт ???";

}  // namespace

void TForm1::OpenComClick() {
  if (!ok.Hidden()) {
    ok.Hide();
    link.Close();
  }
  ShowOpenResult(OpenSelectedPort());
}

void TForm1::FormMouseUp(MouseButton button) {
  if (button == MouseButton::kRight) view.ShowWindow(Window::kForm2);
}

void TForm1::Button1Click() { Memo.Clear(); }

void TForm1::FormClose() {
  // Each key is written to the file at once, port first.
  for (const auto& [key, edit] : {std::pair{kPortKey, Edit1}, std::pair{kBaudKey, Boud}}) {
    if (!WriteProfileString(settings_.file, kSettingsSection, key, edit.Text())) {
      throw FrameworkError("Unable to write to " + Cp1251FromPath(std::filesystem::path(settings_.file).make_preferred()));
    }
  }
  hooks.SetClosing();
  exit_process_(0);
}

void TForm1::Button6Click() { Memo1.Clear(); }

void TForm1::Button7Click() {
  if (!link.PortHandle) return;
  ok.Hide();
  link.Close();
}

void TForm1::Button8Click() { StopRequested = true; }

void TForm1::FormCreate() {
  const PortSettings settings = ReadPortSettings(settings_);
  Edit1.SetText(settings.port);
  Boud.SetText(settings.baud);
}

bool TForm1::OpenSelectedPort() {
  const std::string name = PortNameFromText(Edit1.Text());
  const std::int32_t baud = StrToInt(Boud.Text());
  return link.Open(name, baud);
}

void TForm1::EnsurePortOpen() {
  if (!ok.Hidden()) return;
  ShowOpenResult(OpenSelectedPort());
}

void TForm1::ShowOpenResult(bool opened) {
  if (opened) {
    ok.Show();
  } else {
    ShowMessage(kNoPortMessage);
  }
}

void TForm1::HideStatus() {
  Label2.Hide();
  Label5.Hide();
  hooks.PumpMessages();
}

void TForm1::ShowOk() {
  Label5.Hide();
  Label2.Show();
}

void TForm1::ShowNotOk() {
  Label2.Hide();
  Label5.Show();
}

void TForm1::ShowResult(bool ok) {
  if (ok) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

std::optional<std::filesystem::path> TForm1::ChosenOutputFile(const FileDialogSetup& dialog) {
  if (!chFile.Checked()) return std::nullopt;
  const auto path = dialogs.SaveFile(dialog);
  if (!path) return std::nullopt;
  return path;
}

void TForm1::ShowMessage(std::string_view utf8_text) { dialogs.Message(Cp1251FromUtf8(utf8_text)); }

}  // namespace tarvex
