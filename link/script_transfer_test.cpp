#include "link/script_transfer.h"

#include <gtest/gtest.h>

#include "testing/fake_port.h"

namespace tarvex {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// A controller that answers every request with `reply` (nothing when it is empty).
class ScriptTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto port = std::make_unique<testing::FakePort>(clock, [this](const Bytes&) {
      if (reply.empty()) return std::vector<testing::Chunk>{};
      return std::vector<testing::Chunk>{{1ms, reply}};
    });
    port_ = port.get();
    link.PortHandle = std::move(port);
  }
  const std::vector<Bytes>& writes() const { return port_->writes; }
  static Bytes Command(std::uint8_t code) {
    Bytes request(kCommandRequestLength);
    BuildCommandRequest(request, code);
    return request;
  }

  Bytes reply = testing::MakeLongReply({}, 12);
  testing::FakeClock clock;
  testing::RecordingHooks hooks;
  Link link{hooks, clock};

 private:
  testing::FakePort* port_ = nullptr;
};

TEST_F(ScriptTransferTest, DownloadSendsOneFrameAndNeedsAReply) {
  const Bytes script{'a', 0, 'c'};
  EXPECT_EQ(DownloadScript(link, script), ScriptOutcome::kDone);
  ASSERT_EQ(writes().size(), 1U);
  Bytes expected(17);
  BuildScriptDownloadRequest(expected, script);
  EXPECT_EQ(writes()[0], expected);
  EXPECT_EQ(link.FrameLength, 17);

  reply.clear();
  EXPECT_EQ(DownloadScript(link, Bytes(kMaxScriptLength, 'm')), ScriptOutcome::kNoReply);
  EXPECT_EQ(writes().back().size(), kMaxScriptLength + 14);
}

TEST_F(ScriptTransferTest, DownloadRefusesWhatTheLengthFieldsCannotCarry) {
  EXPECT_EQ(DownloadScript(link, Bytes(kMaxScriptLength + 1, 'n')), ScriptOutcome::kTooLong);
  EXPECT_TRUE(writes().empty());
}

TEST_F(ScriptTransferTest, UploadTakesTheReplyBetweenHeaderAndChecksum) {
  // 11 bytes, as many as L = 5 in bytes 2..3 says: a one-byte script; the checksums
  // are not looked at.
  reply = {1, 2, 5, 0, 5, 6, 7, 8, 'Z', 0xEE, 0xEE};
  EXPECT_EQ(UploadScript(link), Bytes{'Z'});
  EXPECT_EQ(writes().back(), Command(kScriptUploadCode));
  EXPECT_EQ(link.FrameLength, 14);

  reply.clear();
  EXPECT_FALSE(UploadScript(link).has_value());
}

TEST_F(ScriptTransferTest, ClearNeedsAReply) {
  EXPECT_TRUE(ClearScript(link));
  EXPECT_EQ(writes().back(), Command(kScriptClearCode));
  reply.clear();
  EXPECT_FALSE(ClearScript(link));
}

TEST(ScriptUploadReply, IsTheReplyBetweenItsHeaderAndChecksum) {
  Bytes reply(11);
  for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<std::uint8_t>(i + 1);
  // L = 5 in bytes 2..3: code, kind, one script byte, checksum.
  reply[2] = 5;
  reply[3] = 0;
  const auto one = ScriptFromUploadReply(reply);
  ASSERT_TRUE(one.has_value());
  EXPECT_EQ(Bytes(one->begin(), one->end()), Bytes{9});
  EXPECT_FALSE(ScriptFromUploadReply(std::span(reply).first(10)).has_value());
  // Cut short of the length its header gives, or longer than it.
  reply[2] = 6;
  EXPECT_FALSE(ScriptFromUploadReply(reply).has_value());
  reply[2] = 4;
  EXPECT_FALSE(ScriptFromUploadReply(reply).has_value());
  EXPECT_FALSE(ScriptFromUploadReply({}).has_value());
}

}  // namespace
}  // namespace tarvex
