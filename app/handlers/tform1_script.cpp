// The controller's script: download from a file, upload into a file and the pane,
// and clear. Outcomes go to the status labels, never to a message box.
#include <algorithm>
#include <span>

#include "app/handlers/command_guard.h"
#include "app/tform1.h"
#include "basics/config_file.h"
#include "basics/cp1251_text.h"
#include "link/script_transfer.h"

namespace tarvex {

void TForm1::DownScrClick() {
  RunCommand(CommandRunning, [this] {
    if (const auto path = dialogs.OpenFile(OpenDialog1)) {
      const bool loaded = LoadConfigText(*path);
      Memo1.Clear();
      Memo1.SetText(TextUpToFirstZero(ConfigText));
      // Sending the emptied text would wipe the controller's script.
      if (!loaded) {
        ShowNotOk();
        return;
      }
    }
    // Without a file chosen, the text held now goes ("Save cfg" may have set a length
    // beyond the buffer: such a script is too long anyway).
    const auto held = static_cast<std::size_t>(std::max(ConfigTextLength, std::int32_t{0}));
    const std::size_t length = std::min(held, ConfigText.size());
    const std::span<const std::uint8_t> script(ConfigText.data(), length);
    ShowResult(DownloadScript(link, script) == ScriptOutcome::kDone);
  });
}

void TForm1::ButtonUpClick() {
  RunCommand(CommandRunning, [this] {
    HideStatus();
    const auto path = dialogs.SaveFile(SaveDialog1);
    if (!path) return;
    const auto script = UploadScript(link);
    if (!script) {
      ShowNotOk();
      return;
    }
    Memo1.Clear();
    Memo1.SetText(TextUpToFirstZero(*script));
    view.SetCaption(Window::kForm1, Cp1251FromPath(*path));
    if (!WriteFileBytes(*path, *script)) Memo1.Clear();
  });
}

void TForm1::Down_testikClick() {
  RunCommand(CommandRunning, [this] {
    if (dialogs.Confirm() != Dialogs::kYes) return;
    HideStatus();
    ShowResult(ClearScript(link));
  });
}

}  // namespace tarvex
