#include "app/app_title.h"

#include <cctype>

#include "basics/cp1251_text.h"

namespace tarvex {

std::string ApplicationTitle(const std::filesystem::path& executable_path) {
  std::string name = Cp1251FromPath(executable_path.stem());
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    name[i] = static_cast<char>(i == 0 ? std::toupper(c) : std::tolower(c));
  }
  return name;
}

}  // namespace tarvex
