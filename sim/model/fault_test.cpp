#include "sim/model/fault.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "link/crc16.h"
#include "sim/model/controller_model.h"
#include "sim/model/sim_testing.h"

namespace tarvex::sim {
namespace {

using namespace std::chrono_literals;
using testing::Bytes;

TEST(ParseFault, ReadsTargetKindDurationAndOptions) {
  const Fault silence = ParseFault("long:28:silence");
  EXPECT_EQ(silence.target, FaultTarget::kLong);
  EXPECT_EQ(silence.code, 28);
  EXPECT_EQ(silence.kind, FaultKind::kSilence);
  EXPECT_EQ(silence.after, 0u);
  EXPECT_EQ(silence.count, 0u);

  const Fault pause = ParseFault("block:17:pause=300:after=2:count=1");
  EXPECT_EQ(pause.target, FaultTarget::kBlock);
  EXPECT_EQ(pause.code, 17);
  EXPECT_EQ(pause.kind, FaultKind::kPause);
  EXPECT_EQ(pause.duration, 300ms);
  EXPECT_EQ(pause.after, 2u);
  EXPECT_EQ(pause.count, 1u);

  EXPECT_EQ(ParseFault("short:55:bad-header-crc").target, FaultTarget::kShort);
  EXPECT_EQ(ParseFault("long:26:bad-packet-crc").kind, FaultKind::kBadPacketCrc);
  EXPECT_EQ(ParseFault("short:23:hangup").duration, kDefaultHangUp);
  EXPECT_EQ(ParseFault("long:26:pause").duration, kDefaultPause);
  EXPECT_EQ(ParseFault("text:silence").target, FaultTarget::kText);
}

TEST(ParseFault, RefusesMalformedFaultTexts) {
  for (const char* fault_text : {"", "long", "long:28", "long:x:silence", "long:300:silence",
                           "block:18:silence", "wide:28:silence", "long:28:explode",
                           "long:28:silence=5", "long:28:pause=abc", "long:28:silence:later=1",
                           "text"}) {
    EXPECT_THROW(ParseFault(fault_text), std::invalid_argument) << fault_text;
  }
}

// Replies of the model to `request` sent `times` times, with `fault_text` in force.
std::vector<Reply> Replies(const char* fault_text, const Bytes& request, int times) {
  ControllerModel model;
  model.AddFault(ParseFault(fault_text));
  std::vector<Reply> replies;
  for (int i = 0; i < times; ++i) replies.push_back(model.Feed(request).at(0));
  return replies;
}

TEST(Faults, SpoilLongRepliesAsAsked) {
  const Bytes count = testing::CommandRequest(28);
  const Bytes good = Replies("long:25:silence", count, 1)[0].Bytes();
  ASSERT_TRUE(IsValidLongReply(good.data(), good.size()));

  EXPECT_TRUE(Replies("long:28:silence", count, 1)[0].chunks.empty());

  const Bytes bad_header = Replies("long:28:bad-header-crc", count, 1)[0].Bytes();
  EXPECT_FALSE(IsValidLongReply(bad_header.data(), bad_header.size()));
  EXPECT_EQ(Bytes(bad_header.begin() + 6, bad_header.end()), Bytes(good.begin() + 6, good.end()));

  const Bytes bad_packet = Replies("long:28:bad-packet-crc", count, 1)[0].Bytes();
  EXPECT_TRUE(CheckCrc16(bad_packet.data(), 4));
  EXPECT_FALSE(IsValidLongReply(bad_packet.data(), bad_packet.size()));

  const Reply paused = Replies("long:28:pause=150", count, 1)[0];
  ASSERT_EQ(paused.chunks.size(), 2u);
  EXPECT_EQ(paused.chunks[1].pause_before, 150ms);
  EXPECT_EQ(paused.Bytes(), good);
  EXPECT_FALSE(paused.chunks[0].bytes.empty());

  const Reply hang = Replies("long:28:hangup=50", count, 1)[0];
  EXPECT_TRUE(hang.chunks.empty());
  EXPECT_TRUE(hang.hang_up);
  EXPECT_EQ(hang.hang_up_for, 50ms);
}

TEST(Faults, ShortRepliesLoseTheirLeadOnAHeaderFault) {
  const Bytes reply = Replies("short:55:bad-header-crc", testing::ShortCommand(55), 1)[0].Bytes();
  EXPECT_FALSE(IsValidShortReply(reply.data(), reply.size()));
  EXPECT_EQ(Replies("short:61:silence", testing::ShortCommand(55), 1)[0].Bytes().size(), 8u);
}

TEST(Faults, AfterAndCountChooseWhichRequestsSuffer) {
  const std::vector<Reply> replies =
      Replies("block:17:silence:after=2:count=2", testing::ReadBlock(0), 6);
  std::vector<bool> silent;
  for (const Reply& r : replies) silent.push_back(r.chunks.empty());
  EXPECT_EQ(silent, (std::vector<bool>{false, false, true, true, false, false}));

  const std::vector<Reply> text =
      Replies("text:silence:count=1", Bytes(kResetText.begin(), kResetText.end()), 2);
  EXPECT_TRUE(text[0].chunks.empty());
  EXPECT_FALSE(text[1].chunks.empty());
}

}  // namespace
}  // namespace tarvex::sim
