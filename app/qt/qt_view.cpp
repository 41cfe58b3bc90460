#include "app/qt/qt_view.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "app/qt/cp1251.h"
#include "app/qt/ok_bottom_dlg.h"
#include "app/qt/paint_pacer.h"
#include "app/qt/text_pane.h"
#include "app/qt/window_style.h"

namespace tarvex {
namespace {

// A window whose closing and mouse releases the window logic answers.
class FormWindow final : public QWidget {
 public:
  FormWindow(Window id, Qt::WindowFlags flags, ViewEvents*& events) : QWidget(nullptr, flags), id_(id), events_(events) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (RowOf(id_).close == nullptr) return QWidget::closeEvent(event);
    // The logic ends the process; when it cannot, the window stays open.
    event->ignore();
    if (events_ != nullptr) events_->CloseRequested(id_);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    // Only the window's own surface: labels let every mouse event through, so over a
    // label it is the surface's.
    if (events_ != nullptr && childAt(event->position().toPoint()) == nullptr) {
      events_->MouseUp(id_, ButtonOf(event->button()));
    }
    QWidget::mouseReleaseEvent(event);
  }

 private:
  static MouseButton ButtonOf(Qt::MouseButton button) {
    if (button == Qt::RightButton) return MouseButton::kRight;
    return button == Qt::MiddleButton ? MouseButton::kMiddle : MouseButton::kLeft;
  }

  Window id_;
  ViewEvents*& events_;
};

Qt::WindowFlags FlagsOf(Frame frame) {
  switch (frame) {
    case Frame::kCloseAndMinimise:
      return FixedFrame(/*close_box=*/true, /*minimise_box=*/true);
    case Frame::kClose:
      return FixedFrame(/*close_box=*/true, /*minimise_box=*/false);
    case Frame::kDialog:
      return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
    case Frame::kPlain:
      break;
  }
  return Qt::Window;
}

QStringList ItemsOf(Items items) {
  QStringList list;
  for (const std::string& item : ComboItems(items)) list.append(QString::fromStdString(item));
  return list;
}

}  // namespace

QtView::QtView() {
  for (const WindowRow& row : Windows()) {
    std::unique_ptr<QWidget> window;
    if (row.frame == Frame::kDialog) {
      window = std::make_unique<TOKBottomDlg>(windows_[0].get(), FlagsOf(row.frame));
    } else {
      window = std::make_unique<FormWindow>(row.id, FlagsOf(row.frame), events_);
    }
    window->setObjectName(row.name);
    window->setWindowTitle(QString::fromUtf8(CaptionOf(row.id)));
    window->setFont(SansSerifFont(row.font.points, row.font.bold));
    if (row.left >= 0) window->move(row.left, row.top);
    if (row.frame == Frame::kPlain) {
      window->resize(row.width, row.height);
    } else {
      window->setFixedSize(row.width, row.height);
    }
    windows_[static_cast<int>(row.id)] = std::move(window);
  }
  QWidget* previous = nullptr;
  for (const ControlRow& row : Controls()) {
    BuildControl(row);
    // The Tab order is the table's order within each window.
    QWidget* widget = controls_[static_cast<int>(row.id)];
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr && previous->window() == widget->window()) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  Confirmation().Bind(WidgetOf(Control::OKBottomDlg_OKBtn), WidgetOf(Control::OKBottomDlg_CancelBtn));
  new PaintPacer(WindowOf(Window::kForm1), [this] { return events_ != nullptr && events_->Busy(); });
}

// The windows go in reverse order: the confirmation, a child of the main window, first.
QtView::~QtView() = default;

void QtView::BuildControl(const ControlRow& row) {
  QWidget* parent = &WindowOf(row.window);
  QWidget* widget = nullptr;
  const QString text = QString::fromUtf8(row.text);
  switch (row.kind) {
    case Kind::kLabel: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      if (row.look & kCentred) label->setAlignment(Qt::AlignCenter);
      // Labels stay on top to be seen ("OK" lies over "Open"), but every click goes to
      // what lies beneath them.
      label->setAttribute(Qt::WA_TransparentForMouseEvents);
      widget = label;
      break;
    }
    case Kind::kEdit:
      widget = new QLineEdit(text, parent);
      break;
    case Kind::kButton: {
      auto* button = new QPushButton(text, parent);
      if (row.look & kDefaultButton) button->setDefault(true);
      widget = button;
      break;
    }
    case Kind::kCheckBox: {
      auto* box = new QCheckBox(text, parent);
      box->setChecked(row.look & kTicked);
      widget = box;
      break;
    }
    case Kind::kComboBox: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(true);
      // Items before the text: setting items would replace an edited text.
      combo->addItems(ItemsOf(row.items));
      combo->setEditText(text);
      widget = combo;
      break;
    }
    case Kind::kPane: {
      auto* pane = new TextPane(parent);
      pane->SetText(Cp1251FromUtf8(row.text));
      QPalette colours = pane->palette();
      if (row.look & kFaceBackground) colours.setColor(QPalette::Base, colours.color(QPalette::Button));
      if (row.look & kGreenOnBlack) {
        colours.setColor(QPalette::Text, QColor(0, 255, 0));
        colours.setColor(QPalette::Base, Qt::black);
      }
      pane->setPalette(colours);
      widget = pane;
      break;
    }
    case Kind::kBevel: {
      auto* bevel = new QFrame(parent);
      bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
      widget = bevel;
      break;
    }
  }
  widget->setObjectName(row.name);
  widget->setGeometry(row.left, row.top, row.width, row.height);
  if (row.font.points != 0) widget->setFont(SansSerifFont(row.font.points, row.font.bold));
  if (row.look & kHidden) widget->setVisible(false);
  if (row.look & kDisabled) widget->setEnabled(false);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QObject::connect(button, &QAbstractButton::clicked, button, [this, id = row.id] {
      if (events_ != nullptr) events_->Clicked(id);
    });
  }
  controls_[static_cast<int>(row.id)] = widget;
}

void QtView::Connect(ViewEvents& events) { events_ = &events; }

TextPane& QtView::PaneOf(Control pane) const { return static_cast<TextPane&>(WidgetOf(pane)); }

TOKBottomDlg& QtView::Confirmation() const { return static_cast<TOKBottomDlg&>(WindowOf(Window::kOKBottomDlg)); }

std::string QtView::Text(Control control) {
  QWidget& widget = WidgetOf(control);
  switch (RowOf(control).kind) {
    case Kind::kLabel:
      return ToCp1251(static_cast<QLabel&>(widget).text());
    case Kind::kEdit:
      return ToCp1251(static_cast<QLineEdit&>(widget).text());
    case Kind::kButton:
    case Kind::kCheckBox:
      return ToCp1251(static_cast<QAbstractButton&>(widget).text());
    case Kind::kComboBox:
      return ToCp1251(static_cast<QComboBox&>(widget).currentText());
    case Kind::kPane:
      return static_cast<TextPane&>(widget).Text();
    case Kind::kBevel:
      break;
  }
  return {};
}

void QtView::SetText(Control control, std::string_view text) {
  QWidget& widget = WidgetOf(control);
  switch (RowOf(control).kind) {
    case Kind::kLabel:
      return static_cast<QLabel&>(widget).setText(FromCp1251(text));
    case Kind::kEdit:
      return static_cast<QLineEdit&>(widget).setText(FromCp1251(text));
    case Kind::kButton:
    case Kind::kCheckBox:
      return static_cast<QAbstractButton&>(widget).setText(FromCp1251(text));
    case Kind::kComboBox:
      return static_cast<QComboBox&>(widget).setEditText(FromCp1251(text));
    case Kind::kPane:
      return static_cast<TextPane&>(widget).SetText(text);
    case Kind::kBevel:
      break;
  }
}

void QtView::AppendText(Control control, std::string_view text) {
  // A label's text is shared, not copied: only the added text is converted.
  if (auto* label = qobject_cast<QLabel*>(&WidgetOf(control))) return label->setText(label->text() + FromCp1251(text));
  SetText(control, Text(control).append(text));
}

bool QtView::Checked(Control control) {
  auto* box = qobject_cast<QCheckBox*>(&WidgetOf(control));
  return box != nullptr && box->isChecked();
}

void QtView::SetChecked(Control control, bool checked) {
  if (auto* box = qobject_cast<QCheckBox*>(&WidgetOf(control))) box->setChecked(checked);
}

bool QtView::Shown(Control control) { return !WidgetOf(control).isHidden(); }

void QtView::SetShown(Control control, bool shown) { WidgetOf(control).setVisible(shown); }

bool QtView::Enabled(Control control) { return WidgetOf(control).isEnabled(); }

void QtView::SetEnabled(Control control, bool enabled) { WidgetOf(control).setEnabled(enabled); }

void QtView::AddLine(Control pane, std::string_view text) { PaneOf(pane).AddLine(text); }

void QtView::SetCaption(Window window, std::string_view text) { WindowOf(window).setWindowTitle(FromCp1251(text)); }

void QtView::ShowWindow(Window window) {
  WindowOf(window).show();
  WindowOf(window).raise();
}

void QtView::PumpMessages() { QCoreApplication::processEvents(); }

}  // namespace tarvex
