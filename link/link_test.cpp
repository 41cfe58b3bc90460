#include "link/link.h"

#include <gtest/gtest.h>

#include "testing/fake_port.h"

namespace tarvex {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using testing::Chunk;
using testing::FakeClock;
using testing::FakePort;
using testing::MakeLongReply;
using testing::RecordingHooks;

class LinkTest : public ::testing::Test {
 protected:
  // The peer answers every request with `reply` split into `chunks`.
  FakePort& Attach(FakePort::Peer peer) {
    auto port = std::make_unique<FakePort>(clock, std::move(peer));
    FakePort& ref = *port;
    link.PortHandle = std::move(port);
    return ref;
  }
  FakePort& AnswerWith(Bytes reply) {
    return Attach([reply](const Bytes&) { return std::vector<Chunk>{{2ms, reply}}; });
  }
  std::size_t Command(std::uint8_t code) {
    link.FrameLength = static_cast<std::int32_t>(BuildCommandRequest(link.TransferFrame, code));
    return static_cast<std::size_t>(link.FrameLength);
  }

  FakeClock clock;
  RecordingHooks hooks;
  Link link{hooks, clock};
};

TEST_F(LinkTest, ExchangesJudgeAndDecodeValidReplies) {
  AnswerWith(MakeLongReply({0x2C, 0x01}));
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 300);

  AnswerWith(MakeLongReply({0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(link.ExchangeInt32(link.TransferFrame, Command(44)), -1);

  AnswerWith(MakeLongReply({0x00, 0x00, 0x80, 0x3F}));
  EXPECT_EQ(link.ExchangeFloat(link.TransferFrame, Command(45)), 1.0F);

  Bytes record{'<', '2', '0', '2', '4', '.', '0', '3', '.', '0'};
  auto& port = AnswerWith(MakeLongReply(record));
  EXPECT_EQ(link.ExchangeData(link.TransferFrame, Command(26)), 10);
  EXPECT_EQ(Bytes(link.TransferFrame.begin(), link.TransferFrame.begin() + 10), record);
  EXPECT_EQ(port.purges, 1);
  EXPECT_EQ(hooks.marks, " .  +  .  +  .  +  .  + ");
}

TEST_F(LinkTest, BrokenRepliesGiveTheFailureValue) {
  Bytes bad_header = MakeLongReply({0xFF, 0xFF, 0xFF, 0xFF});
  bad_header[4] ^= 1;
  AnswerWith(bad_header);
  EXPECT_EQ(link.ExchangeInt32(link.TransferFrame, Command(44)), 0);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kHeaderChecksum);

  Bytes bad_packet = MakeLongReply({0x00, 0x00, 0x80, 0x3F});
  bad_packet.back() ^= 1;
  AnswerWith(bad_packet);
  EXPECT_EQ(link.ExchangeFloat(link.TransferFrame, Command(45)), 0.0F);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kPacketChecksum);

  // A word query answered without a value is no value.
  AnswerWith(MakeLongReply({}));
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 0);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kShortReply);
  EXPECT_EQ(link.ExchangeData(link.TransferFrame, Command(26)), 0);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kNoData);

  // Truncated: the header promises more than arrives.
  Bytes cut = MakeLongReply(Bytes(20, 'x'));
  cut.resize(cut.size() - 3);
  AnswerWith(cut);
  link.TransferFrame.fill(0xAB);
  EXPECT_EQ(link.ExchangeData(link.TransferFrame, Command(26)), 0);
  EXPECT_EQ(link.TransferFrame[0], 0x05) << "the raw reply stays in the buffer";
  EXPECT_EQ(link.LastFailure(), LinkFailure::kShortReply);

  AnswerWith(MakeLongReply({0x2C, 0x01}));
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 300);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kNone);
}

TEST_F(LinkTest, AckAndRawAcceptAnyByte) {
  AnswerWith({0x42});
  EXPECT_TRUE(link.ExchangeAck(link.TransferFrame, Command(27)));
  AnswerWith({0x42});
  EXPECT_EQ(link.ExchangeRaw(link.TransferFrame, Command(14)), 1U);
}

TEST_F(LinkTest, SilentControllerTimesOutAfterTheFirstByteWait) {
  Attach([](const Bytes&) { return std::vector<Chunk>{}; });
  const auto start = clock.Now();
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(28)), 0);
  const auto waited = clock.Now() - start;
  EXPECT_GE(waited, 13000ms);
  EXPECT_LE(waited, 13200ms);
  EXPECT_EQ(hooks.marks, " . ") << "no reply mark for a silent controller";
  EXPECT_GT(hooks.pumps, 1000) << "the window is pumped throughout the wait";
  EXPECT_EQ(link.LastFailure(), LinkFailure::kSilent);
}

TEST_F(LinkTest, WithoutPortReadsFailAfterTheShortWait) {
  const auto start = clock.Now();
  EXPECT_FALSE(link.ExchangeAck(link.TransferFrame, Command(27)));
  const auto waited = clock.Now() - start;
  EXPECT_GE(waited, 2000ms);
  EXPECT_LE(waited, 2100ms);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kPortNotOpen);
}

TEST_F(LinkTest, ReplyEndsAtALongPauseAndTheRestIsPurged) {
  const Bytes reply = MakeLongReply(Bytes(30, 'r'));
  const Bytes head(reply.begin(), reply.begin() + 10);
  const Bytes tail(reply.begin() + 10, reply.end());
  Attach([&](const Bytes&) { return std::vector<Chunk>{{3ms, head}, {80ms, tail}}; });
  EXPECT_EQ(link.ExchangeRaw(link.TransferFrame, Command(26)), 10U);
  // The late tail arrives before the next request, which must discard it.
  clock.Advance(100ms);
  EXPECT_EQ(link.ExchangeRaw(link.TransferFrame, Command(26)), 10U);
  EXPECT_EQ(link.TransferFrame[0], 0x05);
}

TEST_F(LinkTest, GapsShorterThanTheSilenceKeepTheReplyWhole) {
  const Bytes reply{1, 2, 3, 4, 5, 6, 7, 8, 9};
  Attach([&](const Bytes&) {
    return std::vector<Chunk>{{3ms, {1, 2, 3}}, {50ms, {4, 5, 6}}, {50ms, {7, 8, 9}}};
  });
  ShortBuffer buffer{};
  link.WriteRequest(buffer.data(), 1);
  EXPECT_EQ(link.ReadReply(buffer, ReplyFraming::kSilence), 9U);
  EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 9), reply);
}

TEST_F(LinkTest, SilenceRunsFromTheArrivalEvenWhenPumpsAreSlow) {
  // Every pump costs 4 ms (a busy window); the 61 ms pause still ends the reply.
  hooks.on_pump = [&] { clock.Advance(4ms); };
  Attach([&](const Bytes&) { return std::vector<Chunk>{{3ms, {1, 2, 3}}, {61ms, {4, 5, 6}}}; });
  ShortBuffer buffer{};
  link.WriteRequest(buffer.data(), 1);
  EXPECT_EQ(link.ReadReply(buffer, ReplyFraming::kSilence), 3U);
}

TEST_F(LinkTest, LongHeaderReplyCompletesWithoutWaitingForSilence) {
  AnswerWith(MakeLongReply({0x2C, 0x01}));
  const auto start = clock.Now();
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 300);
  EXPECT_LT(clock.Now() - start, 10ms);
}

TEST_F(LinkTest, BytesTrailingACompleteReplyNeverPrecedeTheNext) {
  // Each stray byte comes before the inter-frame silence has passed: still one frame.
  const Bytes reply = MakeLongReply({0x2C, 0x01});
  Attach([&](const Bytes&) {
    return std::vector<Chunk>{{2ms, reply}, {1ms, {0xEE}}, {1ms, {0xEE}}, {1ms, {0xEE}}};
  });
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 300);
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 300);
  // A count of bytes takes the whole frame, tail included.
  EXPECT_EQ(link.ExchangeRaw(link.TransferFrame, Command(25)), reply.size() + 3);
}

TEST_F(LinkTest, StaleBytesNeverPrecedeTheReply) {
  auto& port = AnswerWith(MakeLongReply({0x07, 0x00}));
  port.Inject({0xEE, 0xEE, 0xEE});
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(28)), 7);
}

TEST_F(LinkTest, OverlongReplyIsCutAtTheBufferAndDrained) {
  const Bytes burst(1500, 0x55);
  auto& port = Attach([&](const Bytes&) {
    return std::vector<Chunk>{{2ms, Bytes(burst.begin(), burst.begin() + 700)},
                              {5ms, Bytes(burst.begin() + 700, burst.end())}};
  });
  std::array<std::uint8_t, kTransferFrameSize + 16> guarded{};
  guarded.fill(0xC3);
  std::span<std::uint8_t> frame(guarded.data(), kTransferFrameSize);
  EXPECT_EQ(link.ExchangeRaw(frame, Command(26)), kTransferFrameSize);
  for (std::size_t i = kTransferFrameSize; i < guarded.size(); ++i) ASSERT_EQ(guarded[i], 0xC3);
  EXPECT_EQ(port.Read(guarded.data(), 10, 0ms), 0U) << "the excess was read and dropped";
}

TEST_F(LinkTest, NestedExchangeIsRefusedWithoutTouchingThePort) {
  auto& port = AnswerWith(MakeLongReply({0x05, 0x00}));
  std::int32_t nested = -1;
  LinkFailure nested_failure = LinkFailure::kNone;
  hooks.on_pump = [&] {
    if (nested == -1 && link.InExchange()) {
      std::array<std::uint8_t, kTransferFrameSize> other{};
      nested = link.ExchangeWord(other, BuildCommandRequest(other, 28));
      nested_failure = link.LastFailure();
    }
  };
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(25)), 5);
  EXPECT_EQ(nested, 0);
  EXPECT_EQ(nested_failure, LinkFailure::kRefused);
  EXPECT_EQ(port.writes.size(), 1U);
  EXPECT_EQ(link.LastFailure(), LinkFailure::kNone) << "the outer exchange's own outcome";
}

TEST_F(LinkTest, PortClosedByANestedHandlerEndsTheWait) {
  Attach([](const Bytes&) { return std::vector<Chunk>{}; });
  hooks.on_pump = [&] { link.Close(); };
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(28)), 0);
  EXPECT_EQ(link.PortHandle, nullptr);
}

TEST_F(LinkTest, ShortSenderTracesItsThreeLines) {
  Attach([](const Bytes&) { return std::vector<Chunk>{{2ms, {1, 6, 0, 0, 0, 0, 0, 0}}}; });
  ShortBuffer buffer{};
  const std::size_t n = BuildShortRequest(61, buffer, nullptr, 0, 0, hooks);
  EXPECT_TRUE(link.SendShortRequest(buffer, n));
  EXPECT_EQ(hooks.traces, (std::vector<std::string>{"bool Send =12", "01 06 00 00 00 3D 48 1B ",
                                                     "bool Send, ReadBuf=8 1 6"}));
}

TEST_F(LinkTest, ShortSenderJudgesReplies) {
  ShortBuffer buffer{};
  Attach([](const Bytes&) { return std::vector<Chunk>{{2ms, {0, 0, 5, 9}}}; });
  EXPECT_FALSE(link.SendShortRequest(buffer, BuildShortRequest(54, buffer, nullptr, 0, 0, hooks)));
  Attach([](const Bytes&) { return std::vector<Chunk>{{2ms, {1, 0}}}; });
  EXPECT_TRUE(link.SendShortRequest(buffer, BuildShortRequest(54, buffer, nullptr, 0, 0, hooks)));
  // Silence: the request bytes 0..3 must not pass for a reply.
  hooks.traces.clear();
  Attach([](const Bytes&) { return std::vector<Chunk>{}; });
  EXPECT_FALSE(link.SendShortRequest(buffer, BuildShortRequest(54, buffer, nullptr, 0, 0, hooks)));
  EXPECT_EQ(hooks.traces.back(), "bool Send, ReadBuf=0 0 0");
}

TEST_F(LinkTest, ReadAnyBytesWaitsUntilBytesComeAndCanBeAbandoned) {
  auto& port = Attach([](const Bytes&) { return std::vector<Chunk>{}; });
  int pumps_before_data = 0;
  hooks.on_pump = [&] {
    if (++pumps_before_data == 500) port.Inject({0xAA, 0x01, 0x00, 0x01});
  };
  std::array<std::uint8_t, kTransferFrameSize> frame{};
  EXPECT_EQ(link.ReadAnyBytes(frame), 4U);
  EXPECT_EQ(frame[0], 0xAA);

  hooks.on_pump = [&] { hooks.abandon = true; };
  EXPECT_EQ(link.ReadAnyBytes(frame), 0U);
}

}  // namespace
}  // namespace tarvex
