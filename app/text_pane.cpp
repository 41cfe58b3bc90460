#include "app/text_pane.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/cp1251.h"

namespace tarvex {
namespace {

// CR LF, a lone CR and a lone LF all become the document's one line break.
QString ToDocumentBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

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

void TextPane::AddLine(std::string_view cp1251) { AddLine(FromCp1251(cp1251)); }

void TextPane::AddLine(const QString& text) {
  const QString added = EndsInLineBreak() ? text + "\n" : "\n" + text;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToDocumentBreaks(added));
}

void TextPane::SetText(std::string_view cp1251) { SetText(FromCp1251(cp1251)); }

void TextPane::SetText(const QString& text) { setPlainText(ToDocumentBreaks(text)); }

void TextPane::Clear() { clear(); }

std::string TextPane::Text() const {
  // The raw text keeps no-break spaces (code 0xA0), which toPlainText() turns into blanks.
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  return ToCp1251(text);
}

}  // namespace tarvex
