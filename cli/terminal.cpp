#include "cli/terminal.h"

#include <algorithm>
#include <locale>

#include "basics/cp1251_table.h"
#include "basics/cp1251_text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tarvex::cli {

#ifdef _WIN32

namespace {

std::string InOutputCodePage(const std::wstring& text) {
  // Without a console (the task scheduler), the system's ANSI code page.
  const UINT page = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetACP();
  const int n = WideCharToMultiByte(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(page, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

}  // namespace

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::string TerminalFromCp1251(std::string_view cp1251) {
  std::wstring wide;
  wide.reserve(cp1251.size());
  for (const char c : cp1251) wide += static_cast<wchar_t>(Cp1251ToUnicode(static_cast<std::uint8_t>(c)));
  return InOutputCodePage(wide);
}

std::string TerminalFromUtf8(std::string_view utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return InOutputCodePage(wide);
}

char UserDecimalSeparator() {
  char separator[4] = {};
  const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
  return n == 2 ? separator[0] : '.';
}

void UseBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

#else

bool IsTerminal(std::FILE* stream) { return ::isatty(::fileno(stream)) != 0; }

std::string TerminalFromCp1251(std::string_view cp1251) { return Utf8FromCp1251(cp1251); }

std::string TerminalFromUtf8(std::string_view utf8) { return std::string(utf8); }

char UserDecimalSeparator() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::runtime_error&) {
    return '.';  // a locale named in the environment but not installed
  }
}

void UseBinaryStandardOutput() {}

#endif

}  // namespace tarvex::cli
