// Text inside an HTML page: element content and attribute values alike.
#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// UTF-8 with &, <, > and both quotes as character references.
std::string HtmlText(std::string_view utf8);

}  // namespace tarvex
