#include "sim/model/controller_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "link/config_transfer.h"
#include "link/crc16.h"
#include "sim/model/ring_index.h"
#include "sim/model/sim_testing.h"
#include "testing/fake_port.h"
#include "testing/model_peer.h"

namespace tarvex::sim {
namespace {

using namespace std::chrono_literals;
using testing::Bytes;

// The one reply to `request`, as bytes; empty when the model stays silent.
Bytes Ask(ControllerModel& model, const Bytes& request) {
  const std::vector<Reply> replies = model.Feed(request);
  EXPECT_EQ(replies.size(), 1u);
  return replies.empty() ? Bytes{} : replies.front().Bytes();
}

TEST(ControllerModel, AnswersTheLogQueriesOfTheExamples) {
  ControllerModel model;
  const Bytes count = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C, 0x06, 0x00, 0x00,
                                  0x00, 0x00, 0x8A, 0x47});
  ASSERT_TRUE(IsValidLongReply(count.data(), count.size()));
  EXPECT_EQ(count.size(), 12u);
  EXPECT_EQ(count[6], 0x1C);
  EXPECT_EQ(count[7], 0x06);
  EXPECT_EQ(testing::WordAt8(count), 300);

  const Bytes pointer = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x19, 0x06, 0x00, 0x00,
                                    0x00, 0x00, 0x8A, 0x12});
  ASSERT_TRUE(IsValidLongReply(pointer.data(), pointer.size()));
  EXPECT_EQ(testing::WordAt8(pointer), 300);
}

TEST(ControllerModel, ReadsRecordsByIndexWithinTheRing) {
  ControllerModel model(ModelOptions{.event_records = 2300});
  EXPECT_EQ(model.event_log().count(), 2000);
  EXPECT_EQ(model.event_log().pointer(), 300);

  const Bytes record300 = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1A, 0x06, 0x2C,
                                      0x01, 0x01, 0x00, 0xD2, 0xE1});
  EXPECT_EQ(testing::LongReplyData(record300), model.event_log().At(300));
  EXPECT_FALSE(model.event_log().At(300).empty());

  // Index -1 (sent as FF FF) is the slot before 0; 2000 + k and k name the same slot.
  EXPECT_EQ(testing::LongReplyData(Ask(model, testing::IndexedRequest(26, -1))),
            model.event_log().At(1999));
  EXPECT_EQ(testing::LongReplyData(Ask(model, testing::IndexedRequest(26, 2003))),
            testing::LongReplyData(Ask(model, testing::IndexedRequest(26, 3))));
}

TEST(ControllerModel, RingSlotTakesTheIndexAsSignedSixteenBits) {
  EXPECT_EQ(RingSlot(0, 2000), 0u);
  EXPECT_EQ(RingSlot(1999, 2000), 1999u);
  EXPECT_EQ(RingSlot(2000, 2000), 0u);
  EXPECT_EQ(RingSlot(0xFFFF, 2000), 1999u);
  EXPECT_EQ(RingSlot(0x8000, 2000), 1232u);  // -32768
  EXPECT_EQ(RingSlot(1001, 1001), 0u);
  EXPECT_EQ(RingSlot(static_cast<std::uint16_t>(-9), 1001), 992u);
  EXPECT_EQ(RingSlot(1005, 1001), 4u);
}

TEST(ControllerModel, EmptyLogSlotsAnswerWithoutDataAndClearEmptiesTheLog) {
  ControllerModel model(ModelOptions{.event_records = 10});
  const Bytes unwritten = Ask(model, testing::IndexedRequest(26, 500));
  ASSERT_TRUE(IsValidLongReply(unwritten.data(), unwritten.size()));
  EXPECT_EQ(LongReplyLength(unwritten.data()), 4);

  const Bytes clear = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1B, 0x06, 0x00, 0x00,
                                  0x00, 0x00, 0x8B, 0xF0});
  EXPECT_TRUE(IsValidLongReply(clear.data(), clear.size()));
  EXPECT_EQ(testing::WordAt8(Ask(model, testing::CommandRequest(28))), 0);
  EXPECT_EQ(testing::WordAt8(Ask(model, testing::CommandRequest(25))), 0);
  EXPECT_TRUE(testing::LongReplyData(Ask(model, testing::IndexedRequest(26, 3))).empty());
}

TEST(ControllerModel, AnswersTheArchiveExamples) {
  ControllerModel model;
  const Bytes pointer = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5B, 0x06, 0x00, 0x00,
                                    0x00, 0x00, 0x85, 0x30});
  ASSERT_TRUE(IsValidLongReply(pointer.data(), pointer.size()));
  EXPECT_EQ(testing::WordAt8(pointer), 600);

  const Bytes record = testing::LongReplyData(Ask(
      model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5C, 0x06, 0xE6, 0x03, 0x01, 0x00, 0x42, 0x5F}));
  ASSERT_EQ(record.size(), kArchiveRecordSize);
  EXPECT_EQ(record, model.archive().At(998));
  EXPECT_GE(record[0], 24);  // a dated record

  model.archive().Clear();
  EXPECT_EQ(testing::LongReplyData(Ask(model, testing::IndexedRequest(92, 5))),
            Bytes(kArchiveRecordSize, 0));
}

TEST(ControllerModel, AnswersValuesAndAcknowledgements) {
  ControllerModel model;
  model.set_identifier(1500);
  model.set_pressure(1.5f);
  const Bytes ident = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x2C, 0x06, 0x00, 0x00,
                                  0x00, 0x00, 0x8F, 0xB7});
  EXPECT_EQ(testing::LongReplyData(ident), (Bytes{0xDC, 0x05, 0x00, 0x00}));
  const Bytes press = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x2D, 0x06, 0x00, 0x00,
                                  0x00, 0x00, 0x8E, 0x66});
  EXPECT_EQ(testing::LongReplyData(press), (Bytes{0x00, 0x00, 0xC0, 0x3F}));
  const Bytes registration = Ask(model, {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x5D, 0x06, 0x00,
                                         0x00, 0x00, 0x00, 0x85, 0x56});
  EXPECT_TRUE(IsValidLongReply(registration.data(), registration.size()));

  const Bytes reset = Ask(model, {0x7B, 0x22, 0x43, 0x52, 0x45, 0x53, 0x45, 0x54, 0x22, 0x3A,
                                  0x32, 0x32, 0x32, 0x7D});
  EXPECT_TRUE(IsValidLongReply(reset.data(), reset.size()));
}

TEST(ControllerModel, StaysSilentOnBadChecksumsAndUnknownCodes) {
  ControllerModel model;
  Bytes bad_packet = testing::CommandRequest(28);
  bad_packet[13] ^= 1;
  EXPECT_TRUE(Ask(model, bad_packet).empty());
  Bytes bad_short = testing::ShortCommand(61);
  bad_short[10] ^= 1;
  EXPECT_TRUE(Ask(model, bad_short).empty());
  EXPECT_TRUE(Ask(model, testing::CommandRequest(77)).empty());
  EXPECT_TRUE(Ask(model, testing::ShortCommand(50)).empty());
}

TEST(ControllerModel, ScriptRoundTrip) {
  ControllerModel model;
  const std::uint8_t three[] = {'x', 0x11, 0x13};
  TransferBuffer frame{};
  const std::size_t n = BuildScriptDownloadRequest(frame, three);
  ASSERT_EQ(n, 17u);
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 4), (Bytes{0x05, 0x64, 0x0B, 0x00}));
  EXPECT_TRUE(CheckCrc16(frame.data(), 4));
  EXPECT_EQ(Bytes(frame.begin() + 6, frame.begin() + 12),
            (Bytes{0x0C, 0x0C, 0x00, 0x00, 0x03, 0x00}));
  const Bytes ack = Ask(model, Bytes(frame.begin(), frame.begin() + 17));
  EXPECT_FALSE(ack.empty());
  EXPECT_EQ(model.script(), Bytes(three, three + 3));

  const Bytes upload = Ask(model, testing::CommandRequest(14));
  ASSERT_EQ(upload.size(), 13u);  // the tool takes bytes 8..(count - 3)
  EXPECT_EQ(Bytes(upload.begin() + 8, upload.end() - 2), Bytes(three, three + 3));
  EXPECT_TRUE(IsValidLongReply(upload.data(), upload.size()));

  std::uint8_t twenty[20];
  std::memset(twenty, 'z', sizeof twenty);
  ASSERT_EQ(BuildScriptDownloadRequest(frame, twenty), 34u);
  Ask(model, Bytes(frame.begin(), frame.begin() + 34));
  EXPECT_EQ(testing::LongReplyData(Ask(model, testing::CommandRequest(14))),
            Bytes(twenty, twenty + 20));
}

// Writes `text` as the tool does: START, blocks of at most 40 bytes, STOP.
void WriteConfiguration(ControllerModel& model, const Bytes& text) {
  EXPECT_TRUE(IsValidShortReply(Ask(model, testing::ShortCommand(21)).data(), 8));
  for (std::size_t a = 0; a < text.size(); a += kMaxWriteBlock) {
    const std::size_t n = std::min(kMaxWriteBlock, text.size() - a);
    const Bytes reply = Ask(model, testing::WriteBlock(static_cast<std::uint16_t>(a),
                                                       std::span(text).subspan(a, n)));
    EXPECT_TRUE(IsValidShortReply(reply.data(), reply.size()));
  }
  EXPECT_TRUE(IsValidShortReply(Ask(model, testing::ShortCommand(23)).data(), 8));
}

// Reads as the tool does: the start command, then read blocks until one brings 0 bytes.
Bytes ReadConfiguration(ControllerModel& model, std::uint8_t start_code) {
  const Bytes start = Ask(model, testing::ShortCommand(start_code));
  EXPECT_TRUE(IsValidShortReply(start.data(), start.size()));
  Bytes text;
  while (text.size() < 70000) {
    const Bytes block = Ask(model, testing::ReadBlock(static_cast<std::uint16_t>(text.size())));
    EXPECT_TRUE(IsValidShortReply(block.data(), block.size()));
    const std::size_t c = block.at(2);
    if (c == 0) break;
    text.insert(text.end(), block.begin() + 3, block.begin() + 3 + static_cast<std::ptrdiff_t>(c));
  }
  return text;
}

TEST(ControllerModel, ConfigurationWrittenInBlocksReadsBackIdentical) {
  for (std::size_t size : {1u, 39u, 40u, 41u, 80u, 100u, 3001u}) {
    ControllerModel model;
    Bytes text(size);
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<std::uint8_t>(1 + i % 255);
    WriteConfiguration(model, text);
    EXPECT_EQ(ReadConfiguration(model, 61), text) << size;
  }
}

TEST(ControllerModel, ConfigurationReadHonoursTheBlockSize) {
  ControllerModel model(ModelOptions{.read_block_size = 7});
  const Bytes first = Ask(model, testing::ReadBlock(0));
  ASSERT_EQ(first.at(2), 7);
  EXPECT_EQ((Bytes{first[0], first[1]}), (Bytes{0x01, 0x11}));
  EXPECT_EQ(ReadConfiguration(model, 61), model.config().configuration());
  EXPECT_GT(model.config().configuration().size(), 2000u);
}

TEST(ControllerModel, PaddedShortRepliesStillCarryTheWholeTextThroughTheLink) {
  // Padded to 16 bytes, a short last block runs on past its checksum; padded to 64,
  // every block of 40 text bytes does.
  for (const std::size_t pad : {16u, 64u}) {
    ControllerModel model(ModelOptions{.short_reply_pad = pad});
    EXPECT_EQ(Ask(model, testing::ReadBlock(0)).size(), pad == 64 ? 64u : 45u);
    tarvex::testing::FakeClock clock;
    LinkHooks hooks;
    Link link(hooks, clock);
    link.PortHandle = std::make_unique<tarvex::testing::FakePort>(clock, tarvex::testing::ModelPeer(model));
    Bytes read(kConfigTextSize, 0);
    const Bytes& text = model.config().configuration();
    ASSERT_EQ(UploadConfig(link, read).bytes, static_cast<std::int32_t>(text.size())) << pad;
    EXPECT_EQ(Bytes(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(text.size())), text);
  }
}

TEST(ControllerModel, TestConfigurationSetTestAndVerdict) {
  ControllerModel model;
  EXPECT_EQ(ReadConfiguration(model, 24), model.config().test_configuration());
  EXPECT_NE(model.config().test_configuration(), model.config().configuration());
  Ask(model, testing::ShortCommand(54));
  EXPECT_EQ(ReadConfiguration(model, 24), model.config().configuration());

  const Bytes good = Ask(model, testing::ShortCommand(55));
  EXPECT_EQ(good.at(0), 1);
  EXPECT_EQ(good.at(1), 0);
  model.set_verdict(7);
  EXPECT_EQ(Ask(model, testing::ShortCommand(55)).at(1), 7);

  const Bytes read_start = Ask(model, {0x05, 0x64, 0x03, 0x0B, 0x01, 0x06, 0x00, 0x00, 0x00, 0x3D,
                                       0x48, 0x1B});
  EXPECT_EQ(read_start.size(), 8u);
  EXPECT_EQ(read_start.at(0), 1);
  EXPECT_EQ(read_start.at(1), 6);
}

TEST(ControllerModel, BlocksOutsideAWriteChangeNothing) {
  ControllerModel model;
  const Bytes before = model.config().configuration();
  const std::uint8_t data[] = {'x', 'y'};
  EXPECT_FALSE(Ask(model, testing::WriteBlock(0, data)).empty());
  Ask(model, testing::ShortCommand(23));
  EXPECT_EQ(model.config().configuration(), before);

  Ask(model, testing::ShortCommand(21));
  Ask(model, testing::WriteBlock(0, data));
  Ask(model, testing::ShortCommand(99));  // a reboot drops the unfinished write
  Ask(model, testing::ShortCommand(23));
  EXPECT_EQ(model.config().configuration(), before);
}

}  // namespace
}  // namespace tarvex::sim
