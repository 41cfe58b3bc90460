#include "report/html_text.h"

namespace tarvex {

std::string HtmlText(std::string_view utf8) {
  std::string html;
  html.reserve(utf8.size());
  for (const char c : utf8) {
    switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '"': html += "&quot;"; break;
      case '\'': html += "&#39;"; break;
      default: html += c;
    }
  }
  return html;
}

}  // namespace tarvex
