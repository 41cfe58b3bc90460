#include "basics/settings_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "testing/scratch_folder.h"

namespace tarvex {

void PrintTo(const SettingsFiles& files, std::ostream* out) { *out << files.file << " then " << files.defaults; }

namespace {

namespace fs = std::filesystem;

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name_, value ? value->c_str() : "");
#else
    if (value) {
      setenv(name_, value->c_str(), 1);
    } else {
      unsetenv(name_);
    }
#endif
  }

  const char* name_;
  std::optional<std::string> old_;
};

SettingsFiles Files(const fs::path& file, const fs::path& defaults) { return {file, defaults}; }

TEST(SettingsPath, ABuildFolderKeepsItsFileWhereThatCanBeWritten) {
  const testing::ScratchFolder dir("settings-build");
  const SettingsPlaces places{.user_folder = dir.path() / "user", .installed_roots = {}};
  const fs::path user = dir.path() / "user" / "tarvex" / "log.log";

  fs::create_directory(dir.path() / "build");
  const fs::path build = dir.path() / "build" / "log.log";
  EXPECT_EQ(SettingsFilesFor(dir.path() / "build", places), Files(build, build));
  testing::PutFile(build, "[log]\r\n");
  EXPECT_EQ(SettingsFilesFor(dir.path() / "build", places), Files(build, build));

  // A log.log that cannot be written (a folder in its place, whoever runs the test)
  // gives defaults only; so does a folder that cannot take one.
  fs::create_directories(dir.path() / "locked" / "log.log");
  EXPECT_EQ(SettingsFilesFor(dir.path() / "locked", places), Files(user, dir.path() / "locked" / "log.log"));
  EXPECT_EQ(SettingsFilesFor(dir.path() / "missing", places), Files(user, dir.path() / "missing" / "log.log"));
  // With no folder of the user's, nothing else is left.
  const fs::path locked = dir.path() / "locked" / "log.log";
  EXPECT_EQ(SettingsFilesFor(dir.path() / "locked", SettingsPlaces{}), Files(locked, locked));
}

TEST(SettingsPath, AnInstalledToolNeverWritesBesideItsExecutable) {
  const testing::ScratchFolder dir("settings-installed");
  const SettingsPlaces places{.user_folder = dir.path() / "user", .installed_roots = {dir.path() / "Program Files"}};
#ifdef _WIN32
  const fs::path folder = dir.path() / "PROGRAM FILES" / "Tarvex";  // names differ only in case there
#else
  const fs::path folder = dir.path() / "Program Files" / "Tarvex";
#endif
  fs::create_directories(folder);
  // Writable, as for root or an elevated installer, and holding a file left by one.
  testing::PutFile(folder / "log.log", "[log]\r\nport=3\r\n");
  EXPECT_EQ(SettingsFilesFor(folder, places), Files(dir.path() / "user" / "tarvex" / "log.log", folder / "log.log"));
  // A folder whose name only begins like the root is no installation.
  const fs::path beside_root = dir.path() / "Program Files2";
  fs::create_directories(beside_root);
  EXPECT_EQ(SettingsFilesFor(beside_root, places), Files(beside_root / "log.log", beside_root / "log.log"));
}

TEST(SettingsPath, PlacesComeFromTheEnvironment) {
  const auto has_root = [](const SettingsPlaces& places, const fs::path& root) {
    return std::ranges::find(places.installed_roots, root) != places.installed_roots.end();
  };
#ifdef _WIN32
  const ScopedVariable appdata("APPDATA", "C:\\Users\\me\\AppData\\Roaming");
  const ScopedVariable program_files("ProgramFiles", "D:\\Programs");
  const SettingsPlaces places = SystemSettingsPlaces();
  EXPECT_EQ(places.user_folder, fs::path("C:\\Users\\me\\AppData\\Roaming"));
  EXPECT_TRUE(has_root(places, "D:\\Programs"));
#else
  const ScopedVariable home("HOME", "/home/me");
  {
    const ScopedVariable config("XDG_CONFIG_HOME", "/home/me/cfg");
    EXPECT_EQ(SystemSettingsPlaces().user_folder, fs::path("/home/me/cfg"));
  }
  const ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
  const SettingsPlaces places = SystemSettingsPlaces();
  EXPECT_EQ(places.user_folder, fs::path("/home/me/.config"));
  EXPECT_TRUE(has_root(places, "/usr") && has_root(places, "/opt"));
#endif
}

}  // namespace
}  // namespace tarvex
