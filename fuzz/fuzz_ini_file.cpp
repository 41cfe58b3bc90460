// Any settings file: parsed, updated and written back; what was set reads back.
#include "basics/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto ini = tarvex::IniFile::Parse(bytes);
  ini.Get("log", "port");
  ini.Set("log", "port", "7");
  ini.Set("log", "baud", "38400");
  const auto again = tarvex::IniFile::Parse(ini.Serialize());
  if (again.Get("log", "port") != "7" || again.Get("log", "baud") != "38400") __builtin_trap();
  return 0;
}
