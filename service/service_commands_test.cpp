#include "service/service_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "testing/link_rig.h"

namespace tarvex {
namespace {

using testing::Hex;
using testing::LinkRig;
using testing::MakeLongReply;

std::vector<std::uint8_t> FloatBytes(float v) {
  std::uint8_t b[4];
  std::memcpy(b, &v, 4);
  return {b, b + 4};
}

TEST(ServiceCommandsTest, RebootWritesOnlyTheTextAndLeavesTheFrameAlone) {
  LinkRig rig([](const auto&) { return Hex({0x01}); });
  rig.link.TransferFrame.fill(0x5A);
  SendRebootText(rig.link);
  ASSERT_EQ(rig.writes().size(), 1u);
  EXPECT_EQ(rig.writes()[0], Hex({0x7B, 0x22, 0x43, 0x52, 0x45, 0x53, 0x45, 0x54, 0x22, 0x3A, 0x32,
                                  0x32, 0x32, 0x7D}));
  EXPECT_TRUE(std::all_of(rig.link.TransferFrame.begin(), rig.link.TransferFrame.end(),
                          [](std::uint8_t b) { return b == 0x5A; }));
}

TEST(ServiceCommandsTest, RegistrationSucceedsOnAnyReplyByte) {
  LinkRig rig([](const auto&) { return Hex({0x00}); });
  EXPECT_TRUE(Register(rig.link));
  EXPECT_EQ(rig.writes()[0], Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5D, 0x06, 0, 0, 0, 0, 0x85, 0x56}));
  LinkRig silent;
  EXPECT_FALSE(Register(silent.link));
}

TEST(ServiceCommandsTest, IdentReadsASigned32BitValue) {
  LinkRig rig([](const auto&) { return MakeLongReply({0xDC, 0x05, 0x00, 0x00}, kIdentCode); });
  EXPECT_EQ(ReadIdent(rig.link), 1500);
  EXPECT_EQ(rig.writes()[0], Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x2C, 0x06, 0, 0, 0, 0, 0x8F, 0xB7}));
  LinkRig negative([](const auto&) { return MakeLongReply({0xFB, 0xFF, 0xFF, 0xFF}, kIdentCode); });
  EXPECT_EQ(ReadIdent(negative.link), -5);
  EXPECT_TRUE(IsIdentRead(1500));
  EXPECT_FALSE(IsIdentRead(0));
  EXPECT_FALSE(IsIdentRead(-5));
}

TEST(ServiceCommandsTest, PressureReadAndItsText) {
  LinkRig rig([](const auto&) { return MakeLongReply(FloatBytes(1.5f), kPressureCode); });
  const float pressure = ReadPressure(rig.link);
  EXPECT_EQ(pressure, 1.5f);
  EXPECT_EQ(rig.writes()[0], Hex({0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x2D, 0x06, 0, 0, 0, 0, 0x8E, 0x66}));
  EXPECT_EQ(PressureText(pressure), "     1.50");
  EXPECT_EQ(PressureText(101.25f), "    101.25");
  for (float failed : {0.0f, -1.0f, std::nanf("")}) {
    EXPECT_FALSE(IsPressureRead(failed));
    EXPECT_EQ(PressureText(failed), "    ");
  }
  LinkRig silent;
  EXPECT_EQ(ReadPressure(silent.link), 0.0f);
}

}  // namespace
}  // namespace tarvex
