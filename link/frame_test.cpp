#include "link/frame.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/crc16.h"
#include "testing/fake_port.h"

namespace tarvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Command(std::uint8_t code, std::int32_t index = -1) {
  TransferBuffer frame{};
  const std::size_t n =
      index < 0 ? BuildCommandRequest(frame, code) : BuildIndexedRequest(frame, code, index);
  return Bytes(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n));
}

TEST(LongRequest, CommandFramesMatchTheControllerVectors) {
  EXPECT_EQ(Command(0x1B), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1B, 0x06, 0, 0, 0, 0, 0x8B, 0xF0}));
  EXPECT_EQ(Command(0x1C), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C, 0x06, 0, 0, 0, 0, 0x8A, 0x47}));
  EXPECT_EQ(Command(0x19), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x19, 0x06, 0, 0, 0, 0, 0x8A, 0x12}));
  EXPECT_EQ(Command(0x5B), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5B, 0x06, 0, 0, 0, 0, 0x85, 0x30}));
  EXPECT_EQ(Command(0x5D), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5D, 0x06, 0, 0, 0, 0, 0x85, 0x56}));
  EXPECT_EQ(Command(0x2C), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x2C, 0x06, 0, 0, 0, 0, 0x8F, 0xB7}));
  EXPECT_EQ(Command(0x2D), (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x2D, 0x06, 0, 0, 0, 0, 0x8E, 0x66}));
}

TEST(LongRequest, IndexGoesLowByteFirstAsItsLow16Bits) {
  EXPECT_EQ(Command(0x1A, 300),
            (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1A, 0x06, 0x2C, 0x01, 0x01, 0x00, 0xD2, 0xE1}));
  EXPECT_EQ(Command(0x5C, 998),
            (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5C, 0x06, 0xE6, 0x03, 0x01, 0x00, 0x42, 0x5F}));
  TransferBuffer frame{};
  BuildIndexedRequest(frame, 0x1A, -3);
  EXPECT_EQ(frame[8], 0xFD);
  EXPECT_EQ(frame[9], 0xFF);
}

TEST(ScriptRequest, CarriesLengthsAndScriptBytes) {
  TransferBuffer frame{};
  const Bytes script{'a', 'b', 'c'};
  ASSERT_EQ(BuildScriptDownloadRequest(frame, script), 17U);
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 4), (Bytes{0x05, 0x64, 0x0B, 0x00}));
  EXPECT_TRUE(CheckCrc16(frame.data(), 4));
  EXPECT_EQ(Bytes(frame.begin() + 6, frame.begin() + 15),
            (Bytes{0x0C, 0x0C, 0x00, 0x00, 0x03, 0x00, 'a', 'b', 'c'}));
  EXPECT_TRUE(CheckCrc16(frame.data() + 6, 9));

  const Bytes twenty(20, 'x');
  ASSERT_EQ(BuildScriptDownloadRequest(frame, twenty), 34U);
  EXPECT_EQ(frame[2], 28);
  EXPECT_EQ(frame[10], 20);

  ASSERT_EQ(BuildScriptDownloadRequest(frame, {}), 14U);
  EXPECT_EQ(frame[2], 8);
}

TEST(ScriptRequest, RefusesWhatTheLengthFieldsCannotCarry) {
  TransferBuffer frame{};
  frame.fill(0xEE);
  EXPECT_EQ(BuildScriptDownloadRequest(frame, Bytes(kMaxScriptLength, 's')), kMaxScriptLength + 14);
  frame.fill(0xEE);
  EXPECT_EQ(BuildScriptDownloadRequest(frame, Bytes(kMaxScriptLength + 1, 's')), 0U);
  EXPECT_EQ(frame[0], 0xEE) << "a refused script must leave the frame untouched";
  std::array<std::uint8_t, 20> small{};
  EXPECT_EQ(BuildScriptDownloadRequest(small, Bytes(7, 's')), 0U);
}

TEST(LongReply, ValidOnlyWithBothChecksumsAndAllBytes) {
  const Bytes good = testing::MakeLongReply({0x2C, 0x01});
  EXPECT_EQ(LongReplyLength(good.data()), 6);
  EXPECT_TRUE(IsValidLongReply(good.data(), good.size()));
  EXPECT_TRUE(IsValidLongReply(good.data(), good.size() + 0)) << "exactly 6 + L bytes";

  Bytes bad_packet = good;
  bad_packet[10] ^= 1;
  EXPECT_FALSE(IsValidLongReply(bad_packet.data(), bad_packet.size()));
  Bytes bad_header = good;
  bad_header[4] ^= 1;
  EXPECT_FALSE(IsValidLongReply(bad_header.data(), bad_header.size()));

  EXPECT_FALSE(IsValidLongReply(good.data(), good.size() - 1)) << "6 + L beyond what arrived";
  EXPECT_FALSE(IsValidLongReply(good.data(), 5));
  EXPECT_FALSE(IsValidLongReply(good.data(), 0));
}

TEST(LongReply, LengthBelowFourIsInvalid) {
  for (std::uint8_t length = 0; length < 4; ++length) {
    Bytes reply{0x05, 0x64, length, 0, 0, 0, 0, 0, 0, 0};
    AppendCrc16(reply.data(), 4);
    if (length >= 2) AppendCrc16(reply.data() + 6, length - 2);
    EXPECT_FALSE(IsValidLongReply(reply.data(), reply.size())) << int(length);
  }
}

TEST(ShortRequest, SingleCommandAndBlocksWithTheirTraces) {
  testing::RecordingHooks hooks;
  ShortBuffer buffer{};
  ASSERT_EQ(BuildShortRequest(61, buffer, nullptr, 0, 0, hooks), 12U);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 12),
            (Bytes{0x05, 0x64, 0x03, 0x0B, 0x01, 0x06, 0x00, 0x00, 0x00, 0x3D, 0x48, 0x1B}));
  EXPECT_TRUE(hooks.traces.empty());

  Bytes text(40, 'A');
  ASSERT_EQ(BuildShortRequest(16, buffer, text.data(), 40, 0, hooks), 52U);
  ASSERT_EQ(hooks.traces.size(), 1U);
  EXPECT_EQ(hooks.traces[0].rfind("Comm ->(48) 01 10 00 00 00 28 41 41 ", 0), 0U);
  EXPECT_EQ(hooks.traces[0].size(), std::string("Comm ->(48) ").size() + 48 * 3);
  EXPECT_TRUE(CheckCrc16(buffer.data() + 4, 46));

  const std::uint8_t zero = 0;
  ASSERT_EQ(BuildShortReadRequest(17, buffer, &zero, 1, 0x0128, hooks), 13U);
  // 3D 71: the CRC-16/MODBUS of the seven packet bytes, worked out apart from this code.
  EXPECT_EQ(Bytes(buffer.begin() + 4, buffer.begin() + 13),
            (Bytes{0x01, 0x11, 0x01, 0x28, 0x00, 0x01, 0x00, 0x3D, 0x71}));
  ASSERT_EQ(hooks.traces.size(), 2U);
  EXPECT_EQ(hooks.traces[1], "Comm ->(9) 011101280001003D71");
}

TEST(ShortRequest, RefusesBlocksLargerThanFortyBytes) {
  testing::RecordingHooks hooks;
  ShortBuffer buffer{};
  Bytes text(41, 'A');
  EXPECT_EQ(BuildShortRequest(16, buffer, text.data(), 41, 0, hooks), 0U);
  EXPECT_TRUE(hooks.traces.empty());
}

TEST(ShortReply, NeedsTwoBytesNotBothZero) {
  const Bytes one{0x07};
  EXPECT_FALSE(IsValidShortReply(one.data(), 1));
  const Bytes zeros{0x00, 0x00, 0x05};
  EXPECT_FALSE(IsValidShortReply(zeros.data(), 3));
  const Bytes good{0x01, 0x00};
  EXPECT_TRUE(IsValidShortReply(good.data(), 2));
  const Bytes end_of_text{0x01, 0x11, 0x00};
  EXPECT_TRUE(IsValidShortReply(end_of_text.data(), 3));
}

}  // namespace
}  // namespace tarvex
