#include "link/port_name.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(ResolvePortName, MapsWindowsNamesToDevices) {
  EXPECT_EQ(ResolvePortName("\\\\.\\COM7"), "/dev/ttyS6");
  EXPECT_EQ(ResolvePortName("\\\\.\\COM12"), "/dev/ttyS11");
  EXPECT_EQ(ResolvePortName("\\\\.\\COM/tmp/x/tty"), "/tmp/x/tty");
  EXPECT_EQ(ResolvePortName("\\\\.\\COMttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(ResolvePortName("/dev/pts/3"), "/dev/pts/3");
}

TEST(ResolvePortName, RejectsNamesWithoutDevice) {
  EXPECT_FALSE(ResolvePortName("\\\\.\\COM"));
  EXPECT_FALSE(ResolvePortName(""));
  EXPECT_FALSE(ResolvePortName("\\\\.\\COM0"));
  EXPECT_FALSE(ResolvePortName("\\\\.\\COM99999999999999999999"));
}

}  // namespace
}  // namespace tarvex
