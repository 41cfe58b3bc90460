// The controller's script: download from a file, upload into a file and the pane,
// and clear. Outcomes go to the status labels, never to a message box.
#include <QLabel>
#include <QPushButton>
#include <span>

#include "app/command_guard.h"
#include "app/config_file.h"
#include "app/tform1.h"
#include "app/text_pane.h"
#include "link/frame.h"

namespace tarvex {
namespace {

constexpr std::uint8_t kScriptUploadCode = 14;
constexpr std::uint8_t kScriptClearCode = 25;

}  // namespace

void TForm1::BindScriptHandlers() {
  Bind(DownScr, &TForm1::DownScrClick);
  Bind(ButtonUp, &TForm1::ButtonUpClick);
  Bind(Down_testik, &TForm1::Down_testikClick);
}

void TForm1::DownScrClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  if (const auto path = dialogs.OpenFile(OpenDialog1)) {
    const bool loaded = LoadConfigText(*path);
    Memo1->Clear();
    Memo1->SetText(TextUpToFirstZero(ConfigText));
    // Sending the emptied text would wipe the controller's script.
    if (!loaded) {
      ShowNotOk();
      return;
    }
  }
  // Without a file chosen, the text held now goes. The length fields carry one byte:
  // a longer script is refused here rather than sent with a wrong length.
  const std::size_t length = ConfigTextLength >= 0 ? static_cast<std::size_t>(ConfigTextLength) : 0;
  if (length > kMaxScriptLength) {
    ShowNotOk();
    return;
  }
  link.FrameLength = static_cast<std::int32_t>(BuildScriptDownloadRequest(
      link.TransferFrame, std::span<const std::uint8_t>(ConfigText.data(), length)));
  if (link.ExchangeAck(link.TransferFrame, static_cast<std::size_t>(link.FrameLength))) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

void TForm1::ButtonUpClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  HideStatus();
  const auto path = dialogs.SaveFile(SaveDialog1);
  if (!path) return;
  link.FrameLength = static_cast<std::int32_t>(BuildCommandRequest(link.TransferFrame, kScriptUploadCode));
  const std::size_t received = link.ExchangeRaw(link.TransferFrame, static_cast<std::size_t>(link.FrameLength));
  // Only the length of the reply is judged; its checksums are not.
  const auto script = ScriptFromUploadReply(std::span<const std::uint8_t>(link.TransferFrame.data(), received));
  if (!script) {
    ShowNotOk();
    return;
  }
  Memo1->Clear();
  Memo1->SetText(TextUpToFirstZero(*script));
  setWindowTitle(*path);
  if (!WriteWholeFile(*path, *script)) Memo1->Clear();
}

void TForm1::Down_testikClick() {
  CommandGuard guard(CommandRunning);
  if (!guard) return;
  if (dialogs.Confirm() != Dialogs::kYes) return;
  HideStatus();
  if (link.ExchangeAckCommand(kScriptClearCode)) {
    ShowOk();
  } else {
    ShowNotOk();
  }
}

}  // namespace tarvex
