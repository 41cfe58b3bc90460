// The hint after "permission denied": the dialout group only where it is the fix.
#include "link/permission_hint.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "testing/scratch_folder.h"

namespace tarvex {
namespace {

TEST(PermissionHintTest, NamesTheDialoutGroupOnlyWhenTheUserIsNotInIt) {
  const unsigned device = S_IFCHR | 0660;
  EXPECT_EQ(PermissionHint({"root", "dialout", device, false, false}), "the user is not in the dialout group");
  EXPECT_EQ(PermissionHint({"root", "dialout", device, false, true}),
            "the user is in the dialout group only after logging in again");
  EXPECT_EQ(PermissionHint({"root", "dialout", device, true, true}), "owner root, group dialout, mode crw-rw----");
  EXPECT_EQ(PermissionHint({"root", "tty", S_IFCHR | 0620, false, false}), "owner root, group tty, mode crw--w----");
}

TEST(PermissionHintTest, ReadsOwnerGroupModeAndMembershipFromTheFile) {
  testing::ScratchFolder folder("permission-hint");
  const auto path = folder.path() / "device";
  testing::PutFile(path, "");
  ASSERT_EQ(::chmod(path.c_str(), 0620), 0);
  const auto device = DeviceAccessOf(path.string());
  ASSERT_TRUE(device.has_value());
  // The file's group is this process's own, so the hint names owner, group and mode.
  EXPECT_EQ(PermissionHint(*device), std::string("owner ") + getpwuid(geteuid())->pw_name + ", group " +
                                         getgrgid(getegid())->gr_name + ", mode -rw--w----");
  EXPECT_TRUE(device->process_in_group);
  EXPECT_FALSE(DeviceAccessOf((folder.path() / "missing").string()).has_value());
}

}  // namespace
}  // namespace tarvex
