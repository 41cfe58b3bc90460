#include "basics/json_text.h"

#include <nlohmann/json.hpp>

#include "basics/cp1251_text.h"

namespace tarvex {
namespace {

// The parser counts bytes of UTF-8; the file has a byte per character.
JsonFault FaultAt(std::string_view utf8, const nlohmann::json::parse_error& error) {
  JsonFault fault{.line = 1, .column = 1, .reason = error.what()};
  const std::size_t end = std::min(error.byte > 0 ? error.byte - 1 : 0, utf8.size());
  for (std::size_t i = 0; i < end; ++i) {
    if (utf8[i] == '\n') {
      ++fault.line;
      fault.column = 1;
    } else if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      ++fault.column;
    }
  }
  // "[json.exception.parse_error.101] parse error at line 1, column 5: REASON"
  const std::size_t start = fault.reason.find(": ", fault.reason.find("parse error"));
  if (start != std::string::npos) fault.reason.erase(0, start + 2);
  return fault;
}

nlohmann::ordered_json Parse(std::string_view cp1251) {
  const std::string utf8 = Utf8FromCp1251(cp1251);
  try {
    return nlohmann::ordered_json::parse(utf8);
  } catch (const nlohmann::json::parse_error& error) {
    throw JsonFaultError(FaultAt(utf8, error));
  }
}

}  // namespace

std::string JsonFault::Text() const {
  return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + reason;
}

std::optional<JsonFault> FindJsonFault(std::string_view cp1251) {
  try {
    Parse(cp1251);
  } catch (const JsonFaultError& error) {
    return error.fault();
  }
  return std::nullopt;
}

std::string IndentJson(std::string_view cp1251) {
  return Cp1251FromUtf8(Parse(cp1251).dump(2, ' ', false, nlohmann::json::error_handler_t::replace)) + "\n";
}

}  // namespace tarvex
