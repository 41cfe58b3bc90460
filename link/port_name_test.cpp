#include "link/port_name.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(PortNameFromText, TakesANumberWithOrWithoutCom) {
  EXPECT_EQ(PortNameFromText("7"), "\\\\.\\COM7");
  EXPECT_EQ(PortNameFromText("COM7"), "\\\\.\\COM7");
  EXPECT_EQ(PortNameFromText("com12"), "\\\\.\\COM12");
  EXPECT_EQ(PortNameFromText("COMX"), "\\\\.\\COMCOMX");
  EXPECT_EQ(PortNameFromText("/dev/ttyUSB0"), "\\\\.\\COM/dev/ttyUSB0");
  EXPECT_EQ(PortNameFromText("tcp://10.0.0.7:4001"), "tcp://10.0.0.7:4001");
  EXPECT_EQ(PortNameFromText("RFC2217://[::1]:2217"), "RFC2217://[::1]:2217");
  EXPECT_EQ(ResolvePortName(PortNameFromText("COM3")), "/dev/ttyS2");
}

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
