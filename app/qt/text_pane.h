// A multi-line text pane (log, configuration and trace panes) holding code page
// 1251 text, shown as Unicode. Only CR LF breaks a line: a lone CR or LF is a
// character of its line, shown as its control picture (U+240D, U+240A).
#pragma once

#include <QPlainTextEdit>
#include <string>
#include <string_view>

namespace tarvex {

class TextPane : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TextPane(QWidget* parent = nullptr);

  // Adds one line at the end (app/pane_rule.h). Costs only the added text, whatever
  // the pane already holds.
  void AddLine(std::string_view cp1251);
  // Replaces the whole text; adds no line break.
  void SetText(std::string_view cp1251);
  void Clear();
  // The whole text in code page 1251, lines separated by CR LF; the bytes given to
  // SetText and AddLine come back as they were.
  std::string Text() const;
  bool EndsInLineBreak() const;
};

}  // namespace tarvex
