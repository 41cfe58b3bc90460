#include "basics/settings_path.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <cwctype>
#else
#include <unistd.h>
#endif

namespace tarvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFileName = "log.log";

std::optional<fs::path> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return fs::path(value);
}

#ifdef _WIN32
// The access rights of a folder say little on Windows (Program Files is not marked
// read-only): only creating a file there tells.
bool FolderWritable(const fs::path& folder) {
  const fs::path probe = folder / "tarvex-write-probe.tmp";
  std::error_code error;
  if (fs::exists(probe, error)) return true;
  if (!std::ofstream(probe, std::ios::binary)) return false;
  fs::remove(probe, error);
  return true;
}

// Windows compares file names without regard to case.
bool SameName(const fs::path& a, const fs::path& b) {
  const std::wstring& x = a.native();
  const std::wstring& y = b.native();
  return std::ranges::equal(x, y, [](wchar_t c, wchar_t d) { return std::towlower(c) == std::towlower(d); });
}
#else
bool FolderWritable(const fs::path& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

bool SameName(const fs::path& a, const fs::path& b) { return a == b; }
#endif

// Opened for appending, as the writer will, without changing it; a folder of that
// name, another user's file or a read-only one fails.
bool FileWritable(const fs::path& file) { return std::ofstream(file, std::ios::app | std::ios::binary).is_open(); }

// The file can be written where it is, or made there.
bool CanBeWritten(const fs::path& file) {
  std::error_code error;
  return fs::exists(file, error) ? FileWritable(file) : FolderWritable(file.parent_path());
}

bool Under(const fs::path& folder, const fs::path& root) {
  const fs::path f = folder.lexically_normal();
  const fs::path r = root.lexically_normal();
  auto at = f.begin();
  for (const fs::path& part : r) {
    if (part.empty()) continue;  // after a closing separator
    if (at == f.end() || !SameName(*at, part)) return false;
    ++at;
  }
  return true;
}

}  // namespace

SettingsPlaces SystemSettingsPlaces() {
  SettingsPlaces places;
#ifdef _WIN32
  places.user_folder = Variable("APPDATA");
  for (const char* name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432"}) {
    if (auto root = Variable(name)) places.installed_roots.push_back(*root);
  }
#else
  if (auto config = Variable("XDG_CONFIG_HOME")) {
    places.user_folder = config;
  } else if (auto home = Variable("HOME")) {
    places.user_folder = *home / ".config";
  }
  places.installed_roots = {"/usr", "/opt"};
#endif
  return places;
}

SettingsFiles SettingsFilesFor(const fs::path& executable_folder, const SettingsPlaces& places) {
  const fs::path beside = executable_folder / kFileName;
  const bool installed = std::ranges::any_of(places.installed_roots,
                                             [&](const fs::path& root) { return Under(executable_folder, root); });
  // Without a folder of the user's there is nowhere else to go.
  if ((!installed && CanBeWritten(beside)) || !places.user_folder) return {beside, beside};
  return {*places.user_folder / "tarvex" / kFileName, beside};
}

}  // namespace tarvex
