// What to tell a user whom the system refused a serial device (POSIX): the dialout
// group only when the device belongs to it and the user is not in it, since that is
// the usual fix; otherwise the device's owner, group and mode, which say who may.
#pragma once

#include <optional>
#include <string>

namespace tarvex {

struct DeviceAccess {
  std::string owner;          // "root"
  std::string group;          // "dialout", "tty"
  unsigned mode = 0;          // st_mode
  bool process_in_group = false;   // this process holds the device's group
  bool user_listed_in_group = false;  // the group database lists the user (a later login would hold it)
};

// The words after "permission denied — ".
std::string PermissionHint(const DeviceAccess& device);

// The device's owner, group and mode and this process's place in the group;
// nothing when the device cannot be examined.
std::optional<DeviceAccess> DeviceAccessOf(const std::string& path);

}  // namespace tarvex
