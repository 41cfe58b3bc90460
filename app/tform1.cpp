#include "app/tform1.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMouseEvent>
#include <exception>

#include "app/paint_pacer.h"
#include "app/widgets/cp1251.h"
#include "app/widgets/text_pane.h"
#include "app/widgets/tform2.h"
#include "app/widgets/window_style.h"

namespace tarvex {

TForm1::TForm1(Services services)
    : QWidget(nullptr, FixedFrame(/*close_box=*/true, /*minimise_box=*/true)),
      dialogs(services.dialogs),
      clock(services.clock),
      wall_clock(services.wall_clock),
      link(hooks, services.clock),
      settings_path_(std::move(services.settings_path)),
      exit_process_(std::move(services.exit_process)) {
  setObjectName("Form1");
  setWindowTitle(QString(67, QChar(' ')) + "TARVEX");
  setFont(SansSerifFont(8, true));
  move(477, 120);
  setFixedSize(588, 677);
  BuildControls();
  SetTabOrder();
  hooks.SetProgressLabel(Label);
  new PaintPacer(*this, [this] { return CommandRunning; });
  BindShellHandlers();
  BindConfigHandlers();
  BindScriptHandlers();
  BindLogHandlers();
  BindArchiveHandlers();
  BindServiceHandlers();
  BindResponderHandlers();
  Run(&TForm1::FormCreate);
}

TForm1::~TForm1() = default;

void TForm1::AttachDiag(TForm2* form2) {
  Form2 = form2;
  hooks.SetTracePane(form2 != nullptr ? form2->Memo : nullptr);
  BindDiagReboot();
}

void TForm1::Run(void (TForm1::*handler)()) {
  try {
    (this->*handler)();
  } catch (const std::exception& error) {
    dialogs.Error(FromCp1251(error.what()));
  }
}

void TForm1::Bind(QAbstractButton* control, void (TForm1::*handler)()) {
  connect(control, &QAbstractButton::clicked, this, [this, handler] { Run(handler); });
}

void TForm1::closeEvent(QCloseEvent* event) {
  // FormClose ends the process; when it cannot (the settings file is not
  // writable) the window stays open.
  event->ignore();
  Run(&TForm1::FormClose);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event) {
  // Only the window's own surface: a release over any control is not the window's;
  // labels let every mouse event through, so over a label it is the surface's.
  if (childAt(event->position().toPoint()) == nullptr) FormMouseUp(event->button());
  QWidget::mouseReleaseEvent(event);
}

}  // namespace tarvex
