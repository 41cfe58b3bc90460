// The user's terminal and locale: whether a stream is a terminal, text in the
// terminal's encoding (UTF-8 on POSIX, the console's code page on Windows), and the
// decimal separator.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace tarvex::cli {

bool IsTerminal(std::FILE* stream);

// The controller's code page 1251 text as the terminal shows it.
std::string TerminalFromCp1251(std::string_view cp1251);
// Our own messages (UTF-8) as the terminal shows them.
std::string TerminalFromUtf8(std::string_view utf8);

// The user's decimal separator ('.' when the locale cannot be read).
char UserDecimalSeparator();

// Standard output takes bytes as they are (no LF -> CR LF on Windows): the
// configuration and the files' text bring their own line ends.
void UseBinaryStandardOutput();

}  // namespace tarvex::cli
