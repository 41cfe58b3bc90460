#include "cli/executable_folder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tarvex::cli {

std::filesystem::path ExecutableFolder() {
  std::error_code error;
#ifdef _WIN32
  wchar_t name[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, name, static_cast<DWORD>(std::size(name)));
  if (n == 0 || n == std::size(name)) return std::filesystem::current_path(error);
  const std::filesystem::path executable(std::wstring(name, n));
#else
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error);
#endif
  return executable.parent_path();
}

}  // namespace tarvex::cli
