#include "app/form_description.h"

#include "app/tform1.h"
#include "app/tform2.h"

namespace tarvex {
namespace {

using K = Kind;
using W = Window;
using C = Control;
using F1 = TForm1;

constexpr Font kMemoFont{10, false};
constexpr Font kMemo1Font{8, false};
constexpr Font kQuestionFont{14, false};

// Edit1 and Boud get their texts from the settings file.
const ControlRow kControls[] = {
    {C::Memo, W::kForm1, K::kPane, "Memo", "", 197, 704, 716, 153, kFaceBackground, kMemoFont},
    {C::Ope, W::kForm1, K::kButton, "Ope", "Open cfg", 871, 151, 104, 26, kShown, {}, {}, &F1::OpeClick},
    {C::Sav, W::kForm1, K::kButton, "Sav", "Save cfg", 740, 359, 105, 26, kShown, {}, {}, &F1::SavClick},
    {C::DownScr, W::kForm1, K::kButton, "DownScr", "Down script", 736, 104, 94, 26, kHidden, {}, {}, &F1::DownScrClick},
    {C::Upl, W::kForm1, K::kButton, "Upl", "Upload", 494, 718, 115, 26, kShown, {}, {}, &F1::UplClick},
    {C::Edit1, W::kForm1, K::kEdit, "Edit1", "", 42, 28, 25, 21},
    {C::Label1, W::kForm1, K::kLabel, "Label1", "COM:", 8, 32, 32, 13},
    {C::ReadTim, W::kForm1, K::kButton, "ReadTim", "Read time", 419, 238, 62, 26},
    {C::OpenCom, W::kForm1, K::kButton, "OpenCom", "Open", 157, 24, 68, 26, kShown, {}, {}, &F1::OpenComClick},
    {C::Button1, W::kForm1, K::kButton, "Button1", "Clear", 11, 718, 59, 26, kShown, {}, {}, &F1::Button1Click},
    {C::Set_Test, W::kForm1, K::kButton, "Set_Test", "Set test", 367, 758, 115, 26, kShown, {}, {}, &F1::Set_TestClick},
    {C::Down_testik, W::kForm1, K::kButton, "Down_testik", "Clr script", 749, 136, 70, 26, kHidden, {}, {},
     &F1::Down_testikClick},
    {C::Upl_test, W::kForm1, K::kButton, "Upl_test", "Upload Test Config", 494, 758, 115, 26, kShown, {}, {},
     &F1::Upl_testClick},
    {C::ok, W::kForm1, K::kLabel, "ok", "OK", 71, 31, 18, 13, kHidden},
    {C::Label, W::kForm1, K::kLabel, "Label", "", 298, 798, 81, 13, kCentred},
    {C::BuReboot, W::kForm1, K::kButton, "BuReboot", "Reboot", 121, 718, 59, 26, kShown, {}, {}, &F1::BuRebootClick},
    {C::Button2, W::kForm1, K::kButton, "Button2", "Start", 168, 776, 49, 41, kShown, {}, {}, &F1::Button2Click},
    {C::add1, W::kForm1, K::kEdit, "add1", "0", 80, 784, 25, 21},
    {C::add2, W::kForm1, K::kEdit, "add2", "0", 120, 784, 25, 21},
    {C::day, W::kForm1, K::kEdit, "day", "28", 104, 808, 33, 21},
    {C::Boud, W::kForm1, K::kEdit, "Boud", "", 95, 28, 51, 21},
    {C::ComboBox1, W::kForm1, K::kComboBox, "ComboBox1", "10 мин", 244, 832, 73, 21, kShown, {}, Items::kPeriods},
    {C::Label2, W::kForm1, K::kLabel, "Label2", "OK", 204, 29, 18, 13, kHidden},
    {C::ComboBox2, W::kForm1, K::kComboBox, "ComboBox2", "8", 372, 832, 49, 21, kShown, {}, Items::kHours},
    {C::ComboBox3, W::kForm1, K::kComboBox, "ComboBox3", "0", 427, 832, 49, 21, kShown, {}, Items::kMinutes},
    {C::Label3, W::kForm1, K::kLabel, "Label3", "OK", 484, 837, 18, 13, kHidden},
    {C::Label4, W::kForm1, K::kLabel, "Label4", "NOT", 492, 837, 27, 13, kHidden},
    {C::Label5, W::kForm1, K::kLabel, "Label5", "NOT OK", 229, 29, 48, 13, kHidden},
    {C::ButtonUp, W::kForm1, K::kButton, "ButtonUp", "Up script", 855, 104, 94, 26, kHidden, {}, {}, &F1::ButtonUpClick},
    {C::Label6, W::kForm1, K::kLabel, "Label6", "Период рассылки", 224, 815, 107, 13},
    {C::Label7, W::kForm1, K::kLabel, "Label7", "Время контроллера", 364, 815, 119, 13},
    {C::ButKillLog, W::kForm1, K::kButton, "ButKillLog", "Clear log", 413, 64, 55, 26, kShown, {}, {},
     &F1::ButKillLogClick},
    {C::ButBegLog, W::kForm1, K::kButton, "ButBegLog", "Begin up log", 808, 56, 94, 26, kHidden, {}, {},
     &F1::ButBegLogClick},
    {C::Memo1, W::kForm1, K::kPane, "Memo1", "\r\n", 48, 184, 489, 473, kShown, kMemo1Font},
    {C::ButContLog, W::kForm1, K::kButton, "ButContLog", "LOG", 289, 24, 94, 26, kShown, {}, {}, &F1::ButContLogClick},
    {C::ButBegRetro, W::kForm1, K::kButton, "ButBegRetro", "Begin up retro", 743, 184, 94, 26, kHidden, {}, {},
     &F1::ButBegRetroClick},
    {C::ButContRetro, W::kForm1, K::kButton, "ButContRetro", "RETRO", 54, 688, 94, 26, kHidden | kDisabled, {}, {},
     &F1::ButContRetroClick},
    {C::Last10, W::kForm1, K::kCheckBox, "Last10", "10 посл.", 49, 115, 81, 17, kShown, {}, {}, &F1::Last10Click},
    {C::Last100, W::kForm1, K::kCheckBox, "Last100", "100 посл.", 133, 115, 81, 17, kShown, {}, {}, &F1::Last100Click},
    {C::Index, W::kForm1, K::kCheckBox, "Index", "последних", 385, 110, 96, 25, kTicked, {}, {}, &F1::IndexClick},
    {C::Beg, W::kForm1, K::kEdit, "Beg", "30", 320, 112, 57, 21},
    {C::End2, W::kForm1, K::kEdit, "End2", "End", 16, 795, 57, 21, kHidden},
    {C::chFile, W::kForm1, K::kCheckBox, "chFile", "Файл", 408, 30, 73, 17},
    {C::Button3, W::kForm1, K::kButton, "Button3", "Registration", 61, 840, 84, 26, kHidden | kDisabled, {}, {},
     &F1::Button3Click},
    {C::Last500, W::kForm1, K::kCheckBox, "Last500", "500 посл.", 224, 115, 81, 17, kShown, {}, {}, &F1::Last500Click},
    {C::Edi, W::kForm1, K::kEdit, "Edi", "", 72, 149, 81, 21},
    {C::Button4, W::kForm1, K::kButton, "Button4", "Ident", 184, 147, 94, 26, kHidden | kDisabled, {}, {},
     &F1::Button4Click},
    {C::Button5, W::kForm1, K::kButton, "Button5", "Press", 288, 147, 94, 26, kHidden | kDisabled, {}, {},
     &F1::Button5Click},
    {C::Button6, W::kForm1, K::kButton, "Button6", "Clear", 484, 147, 94, 26, kShown, {}, {}, &F1::Button6Click},
    {C::EdONE, W::kForm1, K::kEdit, "EdONE", "3", 608, 112, 41, 21},
    {C::ONE, W::kForm1, K::kCheckBox, "ONE", "1", 609, 147, 40, 17, kShown, {}, {}, &F1::ONEClick},
    {C::EdVal, W::kForm1, K::kEdit, "EdVal", " ", 664, 112, 41, 21},
    {C::Button7, W::kForm1, K::kButton, "Button7", "Close", 484, 24, 94, 26, kShown, {}, {}, &F1::Button7Click},
    {C::Button8, W::kForm1, K::kButton, "Button8", "Stop", 289, 147, 94, 26, kShown, {}, {}, &F1::Button8Click},
    {C::ButContCount, W::kForm1, K::kButton, "ButContCount", "LOG", 351, 712, 94, 26, kShown, {}, {},
     &F1::ButContCountClick},
    {C::Button9, W::kForm1, K::kButton, "Button9", "REBOOT", 230, 672, 94, 26, kShown, {}, {}, &F1::Button9Click},

    {C::Form2_Memo, W::kForm2, K::kPane, "Memo", "", 8, 176, 649, 161, kGreenOnBlack},
    {C::Form2_Button1, W::kForm2, K::kButton, "Button1", "Clear", 272, 344, 129, 25, kShown, {}, {},
     &TForm2::Button1Click},
    {C::Form2_Button2, W::kForm2, K::kButton, "Button2", "REBOOT", 56, 32, 145, 25, kShown, {}, {},
     &TForm2::Button2Click},

    {C::OKBottomDlg_OKBtn, W::kOKBottomDlg, K::kButton, "OKBtn", "ДА", 27, 54, 76, 25, kDefaultButton},
    {C::OKBottomDlg_CancelBtn, W::kOKBottomDlg, K::kButton, "CancelBtn", "НЕТ", 107, 54, 76, 25},
    {C::OKBottomDlg_Bevel1, W::kOKBottomDlg, K::kBevel, "Bevel1", "", 9, 8, 186, 41},
    {C::OKBottomDlg_Label1, W::kOKBottomDlg, K::kLabel, "Label1", "   Вы  уверены?", 32, 16, 137, 24, kShown,
     kQuestionFont},
};
static_assert(std::size(kControls) == kControlCount);

const WindowRow kWindows[] = {
    {W::kForm1, "Form1", 67, "TARVEX", {8, true}, 477, 120, 588, 677, Frame::kCloseAndMinimise, &F1::FormClose,
     &F1::FormMouseUp},
    {W::kForm2, "Form2", 84, "Diag", {8, false}, 660, 230, 264, 89, Frame::kClose},
    // Never shown: the outer size stands for the client size.
    {W::kForm3, "Form3", 0, "Form3", {8, false}, 192, 125, 1305, 675, Frame::kPlain},
    {W::kOKBottomDlg, "OKBottomDlg", 25, "ВОПРОС", {8, true}, -1, -1, 207, 92, Frame::kDialog},
};

std::vector<std::string> Numbers(int first, int last) {
  std::vector<std::string> items;
  for (int n = first; n <= last; ++n) items.push_back(std::to_string(n));
  return items;
}

}  // namespace

std::vector<std::string> ComboItems(Items items) {
  switch (items) {
    case Items::kPeriods:
      return {"10 мин", "20 мин", "30 мин", "Отмена"};
    case Items::kHours:
      return Numbers(0, 23);
    case Items::kMinutes:
      return Numbers(0, 59);
    case Items::kNone:
      break;
  }
  return {};
}

std::span<const ControlRow> Controls() { return kControls; }
std::span<const WindowRow> Windows() { return kWindows; }
const ControlRow& RowOf(Control control) { return kControls[static_cast<int>(control)]; }
const WindowRow& RowOf(Window window) { return kWindows[static_cast<int>(window)]; }

std::string CaptionOf(Window window) {
  const WindowRow& row = RowOf(window);
  return std::string(static_cast<std::size_t>(row.caption_indent), ' ') + row.caption;
}

}  // namespace tarvex
