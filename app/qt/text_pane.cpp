#include "app/qt/text_pane.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "app/pane_rule.h"
#include "app/qt/cp1251.h"

namespace tarvex {
namespace {

// Only CR LF breaks a line. The document would break a line at a lone CR or LF as
// well, so those stand in it as their control pictures, which keep them visible as
// characters of their line and read back as the bytes they were.
constexpr QChar kCrPicture(0x240D);
constexpr QChar kLfPicture(0x240A);

QString ToDocumentText(const QString& text) {
  QString document;
  document.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
      document += '\n';
      ++i;
    } else if (c == '\r') {
      document += kCrPicture;
    } else if (c == '\n') {
      document += kLfPicture;
    } else {
      document += c;
    }
  }
  return document;
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

void TextPane::AddLine(std::string_view cp1251) {
  const QString added = FromCp1251(AddedText(EndsInLineBreak(), cp1251));
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToDocumentText(added));
}

void TextPane::SetText(std::string_view cp1251) { SetText(FromCp1251(cp1251)); }

void TextPane::SetText(const QString& text) { setPlainText(ToDocumentText(text)); }

void TextPane::Clear() { clear(); }

std::string TextPane::Text() const {
  // The raw text keeps no-break spaces (code 0xA0), which toPlainText() turns into blanks.
  QString text = document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  text.replace(kCrPicture, QChar('\r'));
  text.replace(kLfPicture, QChar('\n'));
  return ToCp1251(text);
}

}  // namespace tarvex
