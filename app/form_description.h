// The four windows described once, for every renderer: each window's frame and each
// control's kind, place, size, caption, font, start state and the handler it runs.
// Renderers build exactly what the tables say; nothing is laid out.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tarvex {

class TForm1;
class TForm2;

enum class Window : std::uint8_t { kForm1, kForm2, kForm3, kOKBottomDlg };
inline constexpr int kWindowCount = 4;

// Every control of every window, in each window's declaration order (which is also
// its Tab order: labels and bevels take no focus). The rows of kControls stand in
// this order.
enum class Control : std::uint8_t {
  // TForm1
  Memo, Ope, Sav, DownScr, Upl, Edit1, Label1, ReadTim, OpenCom, Button1, Set_Test,
  Down_testik, Upl_test, ok, Label, BuReboot, Button2, add1, add2, day, Boud, ComboBox1,
  Label2, ComboBox2, ComboBox3, Label3, Label4, Label5, ButtonUp, Label6, Label7,
  ButKillLog, ButBegLog, Memo1, ButContLog, ButBegRetro, ButContRetro, Last10, Last100,
  Index, Beg, End2, chFile, Button3, Last500, Edi, Button4, Button5, Button6, EdONE, ONE,
  EdVal, Button7, Button8, ButContCount, Button9,
  // TForm2, "Diag"
  Form2_Memo, Form2_Button1, Form2_Button2,
  // TOKBottomDlg, the confirmation
  OKBottomDlg_OKBtn, OKBottomDlg_CancelBtn, OKBottomDlg_Bevel1, OKBottomDlg_Label1,
};
inline constexpr int kControlCount = static_cast<int>(Control::OKBottomDlg_Label1) + 1;

enum class Kind : std::uint8_t { kLabel, kEdit, kButton, kCheckBox, kComboBox, kPane, kBevel };

// "MS Sans Serif" at a point size; points 0 = the window's font.
struct Font {
  int points = 0;
  bool bold = false;
};

// How a control starts and what sets it apart from its kind's plain look.
enum Look : unsigned {
  kShown = 0,
  kHidden = 1,
  kDisabled = 2,
  kTicked = 4,
  kCentred = 8,         // a label's text centred in its box
  kFaceBackground = 16,  // a pane painted in the button face colour
  kGreenOnBlack = 32,    // the trace pane
  kDefaultButton = 64,   // Enter presses it
};

// A combo box's list.
enum class Items : std::uint8_t { kNone, kPeriods, kHours, kMinutes };
std::vector<std::string> ComboItems(Items items);

// What a click runs: a handler of the main window or of Diag; nothing for controls
// whose clicks the renderer answers itself (the confirmation's buttons).
using ClickHandler = std::variant<std::monostate, void (TForm1::*)(), void (TForm2::*)()>;

struct ControlRow {
  Control id;
  Window window;
  Kind kind;
  const char* name;
  const char* text;  // caption or first text, UTF-8
  int left, top, width, height;
  unsigned look = kShown;
  Font font{};
  Items items = Items::kNone;
  ClickHandler click{};
};

enum class Frame : std::uint8_t {
  kCloseAndMinimise,  // the main window
  kClose,             // Diag
  kPlain,             // never shown
  kDialog,            // the confirmation: title only, modal
};

enum class MouseButton : std::uint8_t { kLeft, kRight, kMiddle };

struct WindowRow {
  Window id;
  const char* name;
  int caption_indent;   // blanks before the caption
  const char* caption;  // UTF-8
  Font font;
  int left, top;        // -1: placed by its own rule
  int width, height;    // client size
  Frame frame;
  // What closing the window and releasing a mouse button over its surface run.
  void (TForm1::*close)() = nullptr;
  void (TForm1::*mouse_up)(MouseButton) = nullptr;
};

std::span<const ControlRow> Controls();
std::span<const WindowRow> Windows();
const ControlRow& RowOf(Control control);
const WindowRow& RowOf(Window window);
// The window's caption, UTF-8, its indent included.
std::string CaptionOf(Window window);

// A standard file dialog: one filter entry (none when both are empty) and the
// extension given to a name typed without one (a file picked from the list keeps
// its own name).
struct FileDialogSetup {
  std::string filter_description;
  std::string filter_pattern;
  std::string default_extension;
};

}  // namespace tarvex
