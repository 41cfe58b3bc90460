// The controller's configuration is a JSON document in code page 1251: whether a text
// is one, and the same document indented for reading.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarvex {

// Where and why a text is not well-formed JSON. Lines and columns count from 1, a
// column in characters (bytes of the code page), a line ended by LF.
struct JsonFault {
  int line = 0;
  int column = 0;
  std::string reason;  // UTF-8 ("syntax error while parsing object - unexpected '}'")

  // "line 3, column 5: " and the reason.
  std::string Text() const;
};

class JsonFaultError : public std::runtime_error {
 public:
  explicit JsonFaultError(JsonFault fault) : std::runtime_error(fault.Text()), fault_(std::move(fault)) {}
  const JsonFault& fault() const { return fault_; }

 private:
  JsonFault fault_;
};

// Nothing when `cp1251` is one well-formed JSON text.
std::optional<JsonFault> FindJsonFault(std::string_view cp1251);

// The document indented by two blanks a level, members in their order, in code page
// 1251 with LF line ends. Numbers come out as the parser reads them (1.50 as 1.5).
// Throws JsonFaultError.
std::string IndentJson(std::string_view cp1251);

}  // namespace tarvex
