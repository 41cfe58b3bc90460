#include "basics/settings_path.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

#ifdef _WIN32
constexpr const char* kUserFolderVariable = "APPDATA";
void SetVariable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
#else
constexpr const char* kUserFolderVariable = "XDG_CONFIG_HOME";
void SetVariable(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
#endif

TEST(SettingsPath, BesideTheExecutableUnlessItsFolderCannotTakeTheFile) {
  const testing::ScratchFolder dir("settings-path");
  SetVariable(kUserFolderVariable, (dir.path() / "user").string());
  EXPECT_EQ(SettingsPath(dir.path()), dir.path() / "log.log");
  // A folder that does not exist cannot be written, whoever runs the test.
  EXPECT_EQ(SettingsPath(dir.path() / "installed"), dir.path() / "user" / "tarvex" / "log.log");
}

}  // namespace
}  // namespace tarvex
