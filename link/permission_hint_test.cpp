// The hint after "permission denied": the dialout group only where it is the fix.
#include "link/permission_hint.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "link/serial_port.h"
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

// A terminal that nobody may open, opened by a process that is not root (root is
// refused nothing): the reason names the terminal's owner, group and mode.
TEST(PermissionHintTest, APortTheUserMayNotOpenIsRefusedWithWhoMay) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string path = ::ptsname(master);
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  const std::string expected = std::string("permission denied — owner ") + getpwuid(info.st_uid)->pw_name +
                               ", group " + getgrgid(info.st_gid)->gr_name + ", mode c---------";
  const passwd* nobody = getpwnam("nobody");
  ASSERT_NE(nobody, nullptr);
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_fds[0]);
    if (geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)) {
      ::_exit(2);
    }
    OpenFailure failure;
    const std::string reason = OpenPort(path, 9600, &failure) ? "opened" : failure.reason;
    const bool written = ::write(pipe_fds[1], reason.data(), reason.size()) == static_cast<ssize_t>(reason.size());
    ::_exit(written ? 0 : 3);
  }
  ::close(pipe_fds[1]);
  std::string reason;
  char buffer[256];
  for (ssize_t got; (got = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) reason.append(buffer, got);
  ::close(pipe_fds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::close(master);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(reason, expected);
}

}  // namespace
}  // namespace tarvex
