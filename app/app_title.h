// The application title that captions message boxes.
#pragma once

#include <filesystem>
#include <string>

namespace tarvex {

// The executable's file name without its extension, first letter upper case and
// the rest lower case: ".../TARVEX.EXE" -> "Tarvex". Code page 1251.
std::string ApplicationTitle(const std::filesystem::path& executable_path);

}  // namespace tarvex
