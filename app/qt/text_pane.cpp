#include "app/qt/text_pane.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/pane_rule.h"
#include "app/pane_text.h"

namespace tarvex {
namespace {

// The document breaks its lines with LF.
constexpr std::u16string_view kBreak = u"\n";

QString Shown(std::string_view cp1251) { return QString::fromStdU16String(ShownPaneText(cp1251, kBreak)); }

}  // namespace

TextPane::TextPane(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Tab moves the focus to the next control, as in every other control.
  setTabChangesFocus(true);
  // Thousands of added lines must not pile up an undo history.
  setUndoRedoEnabled(false);
}

bool TextPane::EndsInLineBreak() const {
  // The document ends in a break exactly when its last block is empty; an empty
  // document is one empty block.
  return document()->lastBlock().length() <= 1;
}

void TextPane::AddLine(std::string_view cp1251) {
  const std::string added = AddedText(EndsInLineBreak(), cp1251);
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(Shown(added));
}

void TextPane::SetText(std::string_view cp1251) { setPlainText(Shown(cp1251)); }

void TextPane::Clear() { clear(); }

std::string TextPane::Text() const {
  // The raw text keeps no-break spaces (code 0xA0), which toPlainText() turns into blanks.
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QChar('\n'));
  text.replace(QChar::LineSeparator, QChar('\n'));
  return PaneBytes(text.toStdU16String(), kBreak);
}

}  // namespace tarvex
