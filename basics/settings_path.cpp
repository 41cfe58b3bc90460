#include "basics/settings_path.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#ifndef _WIN32
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
bool Writable(const fs::path& folder) {
  const fs::path probe = folder / "tarvex-write-probe.tmp";
  std::error_code error;
  if (fs::exists(probe, error)) return true;
  if (!std::ofstream(probe, std::ios::binary)) return false;
  fs::remove(probe, error);
  return true;
}

std::optional<fs::path> UserFolder() { return Variable("APPDATA"); }
#else
bool Writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::optional<fs::path> UserFolder() {
  if (auto config = Variable("XDG_CONFIG_HOME")) return config;
  if (auto home = Variable("HOME")) return *home / ".config";
  return std::nullopt;
}
#endif

}  // namespace

fs::path SettingsPath(const fs::path& executable_folder) {
  const fs::path beside = executable_folder / kFileName;
  std::error_code error;
  if (fs::exists(beside, error) || Writable(executable_folder)) return beside;
  const auto user = UserFolder();
  return user ? *user / "tarvex" / kFileName : beside;
}

}  // namespace tarvex
