// Port selection, status labels, the two "Clear" buttons, Stop, the settings file
// and the diagnostic window.
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "app/handlers/file_path.h"
#include "app/handlers/framework_error.h"
#include "app/tform1.h"
#include "app/widgets/cp1251.h"
#include "app/widgets/text_pane.h"
#include "app/widgets/tform2.h"
#include "basics/ini_file.h"
#include "basics/port_settings.h"
#include "basics/str_to_int.h"
#include "link/port_name.h"

namespace tarvex {
namespace {

constexpr const char* kNoPortMessage = "   COM порт ???";

}  // namespace

void TForm1::BindShellHandlers() {
  Bind(OpenCom, &TForm1::OpenComClick);
  Bind(Button1, &TForm1::Button1Click);
  Bind(Button6, &TForm1::Button6Click);
  Bind(Button7, &TForm1::Button7Click);
  Bind(Button8, &TForm1::Button8Click);
}

void TForm1::OpenComClick() {
  if (!ok->isHidden()) {
    ok->hide();
    link.Close();
  }
  ShowOpenResult(OpenSelectedPort());
}

void TForm1::FormMouseUp(Qt::MouseButton button) {
  if (button != Qt::RightButton || Form2 == nullptr) return;
  Form2->show();
  Form2->raise();
}

void TForm1::Button1Click() { Memo->Clear(); }

void TForm1::FormClose() {
  const auto path = ToPath(settings_path_);
  // Each key is written to the file at once, port first.
  for (const auto& [key, edit] : {std::pair{kPortKey, Edit1}, std::pair{kBaudKey, Boud}}) {
    if (!WriteProfileString(path, kSettingsSection, key, ToCp1251(edit->text()))) {
      throw FrameworkError("Unable to write to " + ToCp1251(QDir::toNativeSeparators(settings_path_)));
    }
  }
  hooks.SetClosing();
  exit_process_(0);
}

void TForm1::Button6Click() { Memo1->Clear(); }

void TForm1::Button7Click() {
  if (!link.PortHandle) return;
  ok->hide();
  link.Close();
}

void TForm1::Button8Click() { StopRequested = true; }

void TForm1::FormCreate() {
  const PortSettings settings = ReadPortSettings(ToPath(settings_path_));
  Edit1->setText(FromCp1251(settings.port));
  Boud->setText(FromCp1251(settings.baud));
}

bool TForm1::OpenSelectedPort() {
  const std::string name = PortNameFromText(ToCp1251(Edit1->text()));
  const std::int32_t baud = StrToInt(ToCp1251(Boud->text()));
  return link.Open(name, baud);
}

void TForm1::EnsurePortOpen() {
  if (!ok->isHidden()) return;
  ShowOpenResult(OpenSelectedPort());
}

void TForm1::ShowOpenResult(bool opened) {
  if (opened) {
    ok->show();
  } else {
    ShowMessage(kNoPortMessage);
  }
}

void TForm1::HideStatus() {
  Label2->hide();
  Label5->hide();
  hooks.PumpMessages();
}

void TForm1::ShowOk() {
  Label5->hide();
  Label2->show();
}

void TForm1::ShowNotOk() {
  Label2->hide();
  Label5->show();
}

void TForm1::ShowResult(bool ok) {
  if (ok) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

std::optional<std::filesystem::path> TForm1::ChosenOutputFile(const FileDialogSetup& dialog) {
  if (!chFile->isChecked()) return std::nullopt;
  const auto path = dialogs.SaveFile(dialog);
  if (!path) return std::nullopt;
  return ToPath(*path);
}

void TForm1::ShowMessage(const char* utf8_text) { dialogs.Message(QString::fromUtf8(utf8_text)); }

}  // namespace tarvex
