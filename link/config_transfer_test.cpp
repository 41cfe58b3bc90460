#include "link/config_transfer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "testing/fake_port.h"

namespace tarvex {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using testing::Chunk;

// A controller that speaks the short-header protocol, with a text to serve, the
// blocks it was sent, and a request number at which it falls silent.
struct ShortController {
  std::string text;
  std::size_t block = 40;
  // Read blocks padded with zeros before their checksum to this many bytes, as some
  // controllers send them.
  std::size_t pad = 0;
  int silent_at = -1;
  int requests = 0;
  std::map<std::size_t, Bytes> written;
  std::vector<int> commands;
  std::uint8_t verdict = 0;

  std::vector<Chunk> Answer(const Bytes& request) {
    if (requests++ == silent_at) return {};
    const std::uint8_t op = request[5];
    if (op == 6) {
      commands.push_back(request[9]);
      return {{2ms, {1, request[9] == 55 ? verdict : std::uint8_t{6}, 0, 0}}};
    }
    const std::size_t address = (request[6] << 8) | request[7];
    if (op == 16) {
      written[address] = Bytes(request.begin() + 10, request.begin() + 10 + request[9]);
      return {{2ms, {1, 16}}};
    }
    Bytes reply{1, 17, 0};
    if (address < text.size()) {
      const std::size_t c = std::min(block, text.size() - address);
      reply[2] = static_cast<std::uint8_t>(c);
      reply.insert(reply.end(), text.begin() + static_cast<std::ptrdiff_t>(address),
                   text.begin() + static_cast<std::ptrdiff_t>(address + c));
    }
    if (pad > reply.size() + 2) reply.resize(pad - 2, 0);
    reply.push_back(0x5A);
    reply.push_back(0xA5);
    return {{2ms, reply}};
  }
};

class ConfigTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    link.PortHandle = std::make_unique<testing::FakePort>(
        clock, [this](const Bytes& request) { return controller.Answer(request); });
  }
  std::string Uploaded(std::int32_t count) {
    return count > 0 ? std::string(text.begin(), text.begin() + count) : std::string();
  }

  ShortController controller;
  testing::FakeClock clock;
  testing::RecordingHooks hooks;
  Link link{hooks, clock};
  std::array<std::uint8_t, kConfigTextSize> text{};
};

TEST_F(ConfigTransferTest, ReadsTheTextBlockByBlock) {
  controller.text = std::string(95, 'j');
  controller.text[0] = '{';
  text.fill('Z');  // a longer text read before
  const std::int32_t count = UploadConfig(link, text).bytes;
  EXPECT_EQ(count, 95);
  EXPECT_EQ(Uploaded(count), controller.text);
  EXPECT_EQ(text[95], 0) << "nothing of the earlier text is left";
  EXPECT_EQ(controller.commands, (std::vector<int>{61}));
  EXPECT_NE(std::find(hooks.traces.begin(), hooks.traces.end(), "Upload ->(40) "), hooks.traces.end());
  EXPECT_NE(std::find(hooks.traces.begin(), hooks.traces.end(), "Upload ->(95) "), hooks.traces.end());
  EXPECT_NE(std::find(hooks.traces.begin(), hooks.traces.end(), "UP_NEXT ->(17) "), hooks.traces.end());
}

TEST_F(ConfigTransferTest, TestConfigurationStartsWithItsOwnCommand) {
  controller.text = "{\"t\":1}";
  EXPECT_EQ(UploadTestConfig(link, text).bytes, 7);
  EXPECT_EQ(controller.commands, (std::vector<int>{24}));
}

TEST_F(ConfigTransferTest, EmptyTextAndBrokenReadsAreFailuresAtTheirStep) {
  TransferResult result = UploadConfig(link, text);
  EXPECT_EQ(result.bytes, 0) << "empty configuration";
  EXPECT_EQ(result.failed, TransferStep::kBlock);
  EXPECT_EQ(result.block, 1U);

  controller.text = std::string(200, 'x');
  controller.requests = 0;
  controller.silent_at = 3;  // after two blocks arrived
  result = UploadConfig(link, text);
  EXPECT_EQ(result.bytes, 0);
  EXPECT_EQ(result.block, 3U);

  controller.requests = 0;
  controller.silent_at = 0;
  result = UploadConfig(link, text);
  EXPECT_EQ(result.failed, TransferStep::kStart);
  EXPECT_EQ(result.block, 0U);
}

TEST_F(ConfigTransferTest, ReadStopsBeforeTheBufferWouldOverflow) {
  controller.text = std::string(kConfigTextSize, 'x');
  const TransferResult result = UploadConfig(link, text);
  EXPECT_EQ(result.bytes, 0);
  // 1249 blocks of 40 bytes hold 49960; the 1250th would not fit.
  EXPECT_EQ(result.block, 1250U);
  EXPECT_EQ(text.back(), 0) << "the terminating 0 is never overwritten";

  controller.text = std::string(kConfigTextSize - 1, 'y');
  EXPECT_EQ(UploadConfig(link, text).bytes, static_cast<std::int32_t>(kConfigTextSize - 1));
}

TEST_F(ConfigTransferTest, TwoByteBlockReplyEndsTheText) {
  // The sender zeroes bytes 0..3 before it reads: a reply of 1, 17 leaves c = 0.
  link.PortHandle = std::make_unique<testing::FakePort>(clock, [](const Bytes& request) {
    if (request[5] == 6) return std::vector<Chunk>{{2ms, {1, 6}}};
    if (request[7] == 0) return std::vector<Chunk>{{2ms, {1, 17, 3, 'a', 'b', 'c', 0x5A, 0xA5}}};
    return std::vector<Chunk>{{2ms, {1, 17}}};
  });
  EXPECT_EQ(Uploaded(UploadConfig(link, text).bytes), "abc");
}

TEST_F(ConfigTransferTest, PaddedBlocksCountOnlyTheirTextBytes) {
  // Padded to 16 bytes, the short last block runs on past its text; padded to 64,
  // every block of 40 does.
  controller.text = std::string(45, 'p');
  controller.text[44] = '}';
  for (const std::size_t pad : {16u, 64u}) {
    controller.pad = pad;
    EXPECT_EQ(Uploaded(UploadConfig(link, text).bytes), controller.text) << pad;
  }
}

TEST_F(ConfigTransferTest, BlockClaimingMoreThanArrivedIsRefused) {
  link.PortHandle = std::make_unique<testing::FakePort>(clock, [](const Bytes& request) {
    if (request[5] == 6) return std::vector<Chunk>{{2ms, {1, 6}}};
    return std::vector<Chunk>{{2ms, {1, 17, 30, 'a', 'b', 0x5A, 0xA5}}};
  });
  const TransferResult result = UploadConfig(link, text);
  EXPECT_EQ(result.bytes, 0);
  EXPECT_EQ(result.block, 1U);
}

TEST_F(ConfigTransferTest, BlockBehindTheRestOfAnEarlierReplyIsRefused) {
  // The second half of a paused reply to 61 (0, 61 and its checksum 48 1B) stands
  // before a long block: it passes for a block of 72 bytes that did arrive.
  link.PortHandle = std::make_unique<testing::FakePort>(clock, [](const Bytes& request) {
    if (request[5] == 6) return std::vector<Chunk>{{2ms, {1, 6, 0, 0}}};
    Bytes stray{0, 61, 0x48, 0x1B, 1, 17, 200};
    stray.resize(stray.size() + 200 + 2, 'z');
    return std::vector<Chunk>{{2ms, stray}};
  });
  const TransferResult result = UploadConfig(link, text);
  EXPECT_EQ(result.bytes, 0);
  EXPECT_EQ(result.block, 1U);
}

TEST_F(ConfigTransferTest, WritesInFortyByteBlocksWithItsTrace) {
  const std::string source(100, 'w');
  EXPECT_EQ(DownloadConfig(link, {reinterpret_cast<const std::uint8_t*>(source.data()), source.size()}).bytes, 100);
  EXPECT_EQ(controller.commands, (std::vector<int>{21, 23}));
  ASSERT_EQ(controller.written.size(), 3U);
  EXPECT_EQ(controller.written[0].size(), 40U);
  EXPECT_EQ(controller.written[40].size(), 40U);
  EXPECT_EQ(controller.written[80].size(), 20U);
  auto* port = static_cast<testing::FakePort*>(link.PortHandle.get());
  std::vector<std::size_t> lengths;
  for (const auto& w : port->writes) lengths.push_back(w.size());
  EXPECT_EQ(lengths, (std::vector<std::size_t>{12, 52, 52, 32, 12}));
  const std::vector<std::string> expected_steps{
      "Command START Send ok", "DOWN_NEXT   adr=0 n=40", "Command NEXT Send length = 52",
      "Command NEXT Send ok", "DOWN_NEXT   adr=80 n=20", "Command NEXT Send length = 32",
      "Command STOP Send ok!!!"};
  for (const auto& step : expected_steps) {
    EXPECT_NE(std::find(hooks.traces.begin(), hooks.traces.end(), step), hooks.traces.end()) << step;
  }
}

TEST_F(ConfigTransferTest, BlockEdgesAtFortyFortyOneAndTheLongestText) {
  const std::string forty(40, 'a');
  EXPECT_TRUE(DownloadConfig(link, {reinterpret_cast<const std::uint8_t*>(forty.data()), 40}));
  EXPECT_EQ(controller.written.size(), 1U);
  controller.written.clear();
  const std::string forty_one(41, 'b');
  EXPECT_TRUE(DownloadConfig(link, {reinterpret_cast<const std::uint8_t*>(forty_one.data()), 41}));
  ASSERT_EQ(controller.written.size(), 2U);
  EXPECT_EQ(controller.written[40], Bytes{'b'});
  // The longest text that keeps its terminating 0 goes whole.
  controller.written.clear();
  const std::string longest(kConfigTextSize - 1, 'c');
  EXPECT_EQ(DownloadConfig(link, {reinterpret_cast<const std::uint8_t*>(longest.data()), longest.size()}).bytes,
            static_cast<std::int32_t>(kConfigTextSize - 1));
  EXPECT_EQ(controller.written.size(), 1250U);
  EXPECT_EQ(controller.written[49960].size(), 39U);
}

TEST_F(ConfigTransferTest, NothingSentForAnEmptyOrOversizedText) {
  EXPECT_EQ(DownloadConfig(link, {}).failed, TransferStep::kRefused);
  const std::string huge(kConfigTextSize, 'h');
  EXPECT_EQ(DownloadConfig(link, {reinterpret_cast<const std::uint8_t*>(huge.data()), huge.size()}).failed,
            TransferStep::kRefused);
  EXPECT_EQ(controller.requests, 0);
  EXPECT_TRUE(hooks.traces.empty());
}

TEST_F(ConfigTransferTest, FailuresAreTracedWhereTheyHappen) {
  const std::string source(100, 'w');
  const std::span<const std::uint8_t> bytes{reinterpret_cast<const std::uint8_t*>(source.data()), 100};
  controller.silent_at = 0;
  EXPECT_EQ(DownloadConfig(link, bytes).failed, TransferStep::kStart);
  ASSERT_GE(hooks.traces.size(), 2U);
  EXPECT_EQ(hooks.traces[hooks.traces.size() - 2], "bool Send, ReadBuf=0 0 0");
  EXPECT_EQ(hooks.traces.back(), "Command START Send not ok");

  hooks.traces.clear();
  controller.requests = 0;
  controller.silent_at = 2;  // the second block
  controller.commands.clear();
  const TransferResult at_block = DownloadConfig(link, bytes);
  EXPECT_EQ(at_block.failed, TransferStep::kBlock);
  EXPECT_EQ(at_block.block, 2U);
  EXPECT_EQ(hooks.traces.back(), "Command NEXT Send not ok");
  EXPECT_EQ(controller.commands, (std::vector<int>{21})) << "no STOP after a failed block";

  hooks.traces.clear();
  controller.requests = 0;
  controller.silent_at = 4;  // STOP
  EXPECT_EQ(DownloadConfig(link, bytes).failed, TransferStep::kStop);
  EXPECT_EQ(hooks.traces.back(), "Command STOP Send not ok");
}

TEST_F(ConfigTransferTest, ServiceCommandsReportTheirOutcome) {
  controller.verdict = 7;
  EXPECT_EQ(TestConfig(link), 7);
  controller.verdict = 0;
  EXPECT_EQ(TestConfig(link), 0) << "reply 01 00 is a valid reply with verdict 0";
  EXPECT_TRUE(SetTest(link));
  EXPECT_TRUE(SendReboot(link));
  EXPECT_EQ(controller.commands, (std::vector<int>{55, 55, 54, 99}));
  controller.silent_at = controller.requests;
  EXPECT_EQ(TestConfig(link), -1);
  EXPECT_EQ(ConfigVerdictText(1), "bad json");
  EXPECT_EQ(ConfigVerdictText(2), "no memory");
  EXPECT_EQ(ConfigVerdictText(3), "no file");
  EXPECT_EQ(ConfigVerdictText(7), "");
}

}  // namespace
}  // namespace tarvex
