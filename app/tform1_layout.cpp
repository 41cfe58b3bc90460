// The main window's controls as one table, in declaration order, and the Tab order.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <type_traits>
#include <variant>

#include "app/tform1.h"
#include "app/widgets/text_pane.h"
#include "app/widgets/window_style.h"

namespace tarvex {
namespace {

using ControlSlot = std::variant<QLabel* TForm1::*, QLineEdit* TForm1::*, QPushButton* TForm1::*,
                                 QCheckBox* TForm1::*, QComboBox* TForm1::*, TextPane* TForm1::*>;

enum StartState : unsigned { kShown = 0, kHidden = 1, kDisabled = 2, kTicked = 4 };

struct ControlRow {
  ControlSlot slot;
  const char* name;
  const char* text;  // caption or initial text, UTF-8
  int left, top, width, height;
  unsigned start;
};

// Edit1 and Boud get their texts from the settings file.
const ControlRow kControls[] = {
    {&TForm1::Memo, "Memo", "", 197, 704, 716, 153, kShown},
    {&TForm1::Ope, "Ope", "Open cfg", 871, 151, 104, 26, kShown},
    {&TForm1::Sav, "Sav", "Save cfg", 740, 359, 105, 26, kShown},
    {&TForm1::DownScr, "DownScr", "Down script", 736, 104, 94, 26, kHidden},
    {&TForm1::Upl, "Upl", "Upload", 494, 718, 115, 26, kShown},
    {&TForm1::Edit1, "Edit1", "", 42, 28, 25, 21, kShown},
    {&TForm1::Label1, "Label1", "COM:", 8, 32, 32, 13, kShown},
    {&TForm1::ReadTim, "ReadTim", "Read time", 419, 238, 62, 26, kShown},
    {&TForm1::OpenCom, "OpenCom", "Open", 157, 24, 68, 26, kShown},
    {&TForm1::Button1, "Button1", "Clear", 11, 718, 59, 26, kShown},
    {&TForm1::Set_Test, "Set_Test", "Set test", 367, 758, 115, 26, kShown},
    {&TForm1::Down_testik, "Down_testik", "Clr script", 749, 136, 70, 26, kHidden},
    {&TForm1::Upl_test, "Upl_test", "Upload Test Config", 494, 758, 115, 26, kShown},
    {&TForm1::ok, "ok", "OK", 71, 31, 18, 13, kHidden},
    {&TForm1::Label, "Label", "", 298, 798, 81, 13, kShown},
    {&TForm1::BuReboot, "BuReboot", "Reboot", 121, 718, 59, 26, kShown},
    {&TForm1::Button2, "Button2", "Start", 168, 776, 49, 41, kShown},
    {&TForm1::add1, "add1", "0", 80, 784, 25, 21, kShown},
    {&TForm1::add2, "add2", "0", 120, 784, 25, 21, kShown},
    {&TForm1::day, "day", "28", 104, 808, 33, 21, kShown},
    {&TForm1::Boud, "Boud", "", 95, 28, 51, 21, kShown},
    {&TForm1::ComboBox1, "ComboBox1", "10 мин", 244, 832, 73, 21, kShown},
    {&TForm1::Label2, "Label2", "OK", 204, 29, 18, 13, kHidden},
    {&TForm1::ComboBox2, "ComboBox2", "8", 372, 832, 49, 21, kShown},
    {&TForm1::ComboBox3, "ComboBox3", "0", 427, 832, 49, 21, kShown},
    {&TForm1::Label3, "Label3", "OK", 484, 837, 18, 13, kHidden},
    {&TForm1::Label4, "Label4", "NOT", 492, 837, 27, 13, kHidden},
    {&TForm1::Label5, "Label5", "NOT OK", 229, 29, 48, 13, kHidden},
    {&TForm1::ButtonUp, "ButtonUp", "Up script", 855, 104, 94, 26, kHidden},
    {&TForm1::Label6, "Label6", "Период рассылки", 224, 815, 107, 13, kShown},
    {&TForm1::Label7, "Label7", "Время контроллера", 364, 815, 119, 13, kShown},
    {&TForm1::ButKillLog, "ButKillLog", "Clear log", 413, 64, 55, 26, kShown},
    {&TForm1::ButBegLog, "ButBegLog", "Begin up log", 808, 56, 94, 26, kHidden},
    {&TForm1::Memo1, "Memo1", "\r\n", 48, 184, 489, 473, kShown},
    {&TForm1::ButContLog, "ButContLog", "LOG", 289, 24, 94, 26, kShown},
    {&TForm1::ButBegRetro, "ButBegRetro", "Begin up retro", 743, 184, 94, 26, kHidden},
    {&TForm1::ButContRetro, "ButContRetro", "RETRO", 54, 688, 94, 26, kHidden | kDisabled},
    {&TForm1::Last10, "Last10", "10 посл.", 49, 115, 81, 17, kShown},
    {&TForm1::Last100, "Last100", "100 посл.", 133, 115, 81, 17, kShown},
    {&TForm1::Index, "Index", "последних", 385, 110, 96, 25, kTicked},
    {&TForm1::Beg, "Beg", "30", 320, 112, 57, 21, kShown},
    {&TForm1::End2, "End2", "End", 16, 795, 57, 21, kHidden},
    {&TForm1::chFile, "chFile", "Файл", 408, 30, 73, 17, kShown},
    {&TForm1::Button3, "Button3", "Registration", 61, 840, 84, 26, kHidden | kDisabled},
    {&TForm1::Last500, "Last500", "500 посл.", 224, 115, 81, 17, kShown},
    {&TForm1::Edi, "Edi", "", 72, 149, 81, 21, kShown},
    {&TForm1::Button4, "Button4", "Ident", 184, 147, 94, 26, kHidden | kDisabled},
    {&TForm1::Button5, "Button5", "Press", 288, 147, 94, 26, kHidden | kDisabled},
    {&TForm1::Button6, "Button6", "Clear", 484, 147, 94, 26, kShown},
    {&TForm1::EdONE, "EdONE", "3", 608, 112, 41, 21, kShown},
    {&TForm1::ONE, "ONE", "1", 609, 147, 40, 17, kShown},
    {&TForm1::EdVal, "EdVal", " ", 664, 112, 41, 21, kShown},
    {&TForm1::Button7, "Button7", "Close", 484, 24, 94, 26, kShown},
    {&TForm1::Button8, "Button8", "Stop", 289, 147, 94, 26, kShown},
    {&TForm1::ButContCount, "ButContCount", "LOG", 351, 712, 94, 26, kShown},
    {&TForm1::Button9, "Button9", "REBOOT", 230, 672, 94, 26, kShown},
};

const char* const kTabOrder[] = {
    "Memo",      "Ope",       "Sav",        "DownScr",    "Upl",          "Edit1",   "ReadTim",
    "OpenCom",   "Button1",   "Set_Test",   "Down_testik", "Upl_test",    "BuReboot", "Button2",
    "add1",      "add2",      "day",        "Boud",       "ComboBox1",    "ComboBox2", "ComboBox3",
    "ButtonUp",  "ButKillLog", "ButBegLog", "Memo1",      "ButContLog",   "ButBegRetro",
    "ButContRetro", "Last10", "Last100",    "Index",      "Beg",          "End2",    "chFile",
    "Button3",   "Last500",   "Edi",        "Button4",    "Button5",      "Button6", "EdONE",
    "ONE",       "EdVal",     "Button7",    "Button8",    "ButContCount", "Button9",
};

void SetInitialText(QLabel* label, const QString& text) { label->setText(text); }
void SetInitialText(QLineEdit* edit, const QString& text) { edit->setText(text); }
void SetInitialText(QAbstractButton* button, const QString& text) { button->setText(text); }
void SetInitialText(TextPane* pane, const QString& text) { pane->SetText(text); }
void SetInitialText(QComboBox* combo, const QString& text) {
  combo->setEditable(true);
  combo->setEditText(text);
}

QStringList Numbers(int first, int last) {
  QStringList items;
  for (int n = first; n <= last; ++n) items.append(QString::number(n));
  return items;
}

}  // namespace

void TForm1::BuildControls() {
  for (const ControlRow& row : kControls) {
    std::visit(
        [&](auto slot) {
          using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(this->*slot)>>;
          auto* widget = new Widget(this);
          this->*slot = widget;
          widget->setObjectName(row.name);
          widget->setGeometry(row.left, row.top, row.width, row.height);
          if (row.start & kHidden) widget->setVisible(false);
          if (row.start & kDisabled) widget->setEnabled(false);
          if constexpr (std::is_same_v<Widget, QCheckBox>) widget->setChecked(row.start & kTicked);
          // Labels stay on top to be seen ("OK" lies over "Open"), but every click
          // goes to what lies beneath them.
          if constexpr (std::is_same_v<Widget, QLabel>) widget->setAttribute(Qt::WA_TransparentForMouseEvents);
          if constexpr (std::is_same_v<Widget, QComboBox>) {
            // Items before the text: setting items would replace an edited text.
            if (widget == ComboBox1) {
              widget->addItems({QString::fromUtf8("10 мин"), QString::fromUtf8("20 мин"),
                                QString::fromUtf8("30 мин"), QString::fromUtf8("Отмена")});
            } else {
              widget->addItems(widget == ComboBox2 ? Numbers(0, 23) : Numbers(0, 59));
            }
          }
          SetInitialText(widget, QString::fromUtf8(row.text));
        },
        row.slot);
  }
  Label->setAlignment(Qt::AlignCenter);
  Memo->setFont(SansSerifFont(10, false));
  QPalette face = Memo->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  Memo->setPalette(face);
  Memo1->setFont(SansSerifFont(8, false));
}

void TForm1::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const char* name : kTabOrder) {
    auto* widget = findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }
}

}  // namespace tarvex
