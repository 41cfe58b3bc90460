#include "app/qt/find_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>

#include "app/pane_find.h"
#include "app/qt/text_pane.h"

namespace tarvex {
namespace {

// The text as the document counts positions: one character between blocks.
std::u16string PositionsText(const QTextDocument& document) { return document.toRawText().toStdU16String(); }

}  // namespace

FindBox::FindBox(QWidget* owner, std::initializer_list<TextPane*> panes) : QDialog(owner) {
  setWindowTitle("Find");
  what_ = new QLineEdit(this);
  match_case_ = new QCheckBox("Match &case", this);
  auto* direction = new QGroupBox("Direction", this);
  up_ = new QRadioButton("&Up", direction);
  down_ = new QRadioButton("&Down", direction);
  down_->setChecked(true);
  auto* directions = new QHBoxLayout(direction);
  directions->addWidget(up_);
  directions->addWidget(down_);
  auto* find_next = new QPushButton("&Find Next", this);
  find_next->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  status_ = new QLabel(this);
  auto* label = new QLabel("Fi&nd what:", this);
  label->setBuddy(what_);

  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(what_, 0, 1, 1, 2);
  grid->addWidget(find_next, 0, 3);
  grid->addWidget(match_case_, 1, 0, 1, 2);
  grid->addWidget(direction, 1, 2);
  grid->addWidget(cancel, 1, 3);
  grid->addWidget(status_, 2, 0, 1, 4);

  connect(find_next, &QPushButton::clicked, this, &FindBox::FindNext);
  connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
  for (TextPane* pane : panes) {
    auto* find = new QShortcut(QKeySequence::Find, pane);
    find->setContext(Qt::WidgetShortcut);
    connect(find, &QShortcut::activated, this, [this, pane] { Open(pane); });
    auto* next = new QShortcut(Qt::Key_F3, pane);
    next->setContext(Qt::WidgetShortcut);
    connect(next, &QShortcut::activated, this, [this, pane] {
      pane_ = pane;
      if (what_->text().isEmpty()) return Open(pane);
      FindNext();
    });
  }
}

void FindBox::Open(TextPane* pane) {
  pane_ = pane;
  status_->clear();
  show();
  raise();
  activateWindow();
  what_->setFocus();
  what_->selectAll();
}

bool FindBox::FindNext() {
  if (pane_ == nullptr) return false;
  const QTextCursor selected = pane_->textCursor();
  const PaneFindQuery query{.what = what_->text().toStdU16String(),
                            .match_case = match_case_->isChecked(),
                            .down = down_->isChecked()};
  const auto found = FindInPane(PositionsText(*pane_->document()), query,
                                {static_cast<std::size_t>(selected.selectionStart()),
                                 static_cast<std::size_t>(selected.selectionEnd())});
  if (!found) {
    if (!isVisible()) Open(pane_);
    status_->setText("not found");
    return false;
  }
  status_->clear();
  QTextCursor match(pane_->document());
  match.setPosition(static_cast<int>(query.down ? found->start : found->end));
  match.setPosition(static_cast<int>(query.down ? found->end : found->start), QTextCursor::KeepAnchor);
  // Scrolls it into view too.
  pane_->setTextCursor(match);
  return true;
}

}  // namespace tarvex
