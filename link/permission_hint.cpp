#include "link/permission_hint.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace tarvex {
namespace {

// As ls shows it: "crw-rw----".
std::string ModeText(unsigned mode) {
  std::string text = S_ISCHR(mode) ? "c" : S_ISDIR(mode) ? "d" : S_ISLNK(mode) ? "l" : "-";
  const char* letters = "rwx";
  for (int bit = 8; bit >= 0; --bit) text += (mode & (1u << bit)) != 0 ? letters[(8 - bit) % 3] : '-';
  return text;
}

bool ProcessHoldsGroup(gid_t gid) {
  if (getegid() == gid) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = getgroups(count, groups.data());
  return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

bool DatabaseListsUser(gid_t gid) {
  const passwd* user = getpwuid(geteuid());
  if (user == nullptr) return false;
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count));
    if (getgrouplist(user->pw_name, user->pw_gid, groups.data(), &count) < 0) return false;
  }
  return std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
}

}  // namespace

std::string PermissionHint(const DeviceAccess& device) {
  if (device.group == "dialout" && !device.process_in_group) {
    if (device.user_listed_in_group) return "the user is in the dialout group only after logging in again";
    return "the user is not in the dialout group";
  }
  return "owner " + device.owner + ", group " + device.group + ", mode " + ModeText(device.mode);
}

std::optional<DeviceAccess> DeviceAccessOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  DeviceAccess device;
  const passwd* owner = getpwuid(info.st_uid);
  device.owner = owner != nullptr ? owner->pw_name : std::to_string(info.st_uid);
  const group* group = getgrgid(info.st_gid);
  device.group = group != nullptr ? group->gr_name : std::to_string(info.st_gid);
  device.mode = info.st_mode;
  device.process_in_group = ProcessHoldsGroup(info.st_gid);
  device.user_listed_in_group = DatabaseListsUser(info.st_gid);
  return device;
}

}  // namespace tarvex
