#include "service/responder.h"

#include <gtest/gtest.h>

#include "basics/conversion_error.h"
#include "link/crc16.h"
#include "testing/link_rig.h"

namespace tarvex {
namespace {

using testing::Hex;
using testing::LinkRig;

class FixedWallClock final : public WallClock {
 public:
  explicit FixedWallClock(TimeOfDay local) : local_(local) {}
  WallTime Now() override { return {local_, local_}; }

 private:
  TimeOfDay local_;
};

class RespondToPeerTest : public ::testing::Test {
 protected:
  // Loads a request over older frame contents (0x5A).
  void Receive(std::initializer_list<int> bytes) {
    frame.fill(0x5A);
    std::copy(bytes.begin(), bytes.end(), frame.begin());
  }

  ResponderReply Respond() { return RespondToPeer(frame, texts, clock, ','); }

  std::string ErrorOf() {
    try {
      Respond();
    } catch (const ConversionError& e) {
      return e.what();
    }
    return "no error";
  }

  TransferBuffer frame{};
  ResponderTexts texts;
  FixedWallClock clock{{10, 15, 20}};
};

TEST_F(RespondToPeerTest, TimeAnswerCarriesTheShiftedClock) {
  texts.add1 = "90";
  Receive({0xAA, 0x01, 0x00, 0x01});
  const ResponderReply reply = Respond();
  EXPECT_EQ(reply.trace, std::vector<std::string>{"1>   min: 16sec:50"});
  EXPECT_FALSE(reply.pause_first);
  ASSERT_EQ(reply.length, 165u);
  const std::pair<int, int> expected[] = {{0, 0x55}, {1, 1},   {2, 165}, {3, 0x81}, {4, 1},
                                          {56, 8},   {57, 28}, {58, 17}, {59, 10},  {60, 16},
                                          {61, 50},  {62, 9},  {63, 38}, {69, 11}};
  for (const auto& [offset, value] : expected) EXPECT_EQ(frame[offset], value) << offset;
  EXPECT_TRUE(CheckCrc16(frame.data(), 163));
  // Bytes the answer does not name keep what the frame held.
  EXPECT_EQ(frame[5], 0x5A);
  EXPECT_EQ(frame[68], 0x5A);
  EXPECT_EQ(frame[165], 0x5A);
}

TEST_F(RespondToPeerTest, ShiftsPerAddressAndTheirLimits) {
  texts.add2 = "-30";
  Receive({0xAA, 0x02, 0x00, 0x01});
  Respond();
  EXPECT_EQ(frame[59], 10);
  EXPECT_EQ(frame[60], 14);
  EXPECT_EQ(frame[61], 50);

  texts.add1 = "-3599";
  Receive({0xAA, 0x01, 0x00, 0x01});
  EXPECT_EQ(Respond().trace[0], "1>   min: 15sec:21");
  for (const char* shift : {"3600", "-3600"}) {
    texts.add1 = shift;
    EXPECT_EQ(ErrorOf(), "Invalid argument to time encode");
  }
  // Only the shift that applies is read.
  texts.add1 = "x";
  Receive({0xAA, 0x02, 0x00, 0x01});
  EXPECT_EQ(ErrorOf(), "no error");
  Receive({0xAA, 0x01, 0x00, 0x01});
  EXPECT_EQ(ErrorOf(), "'x' is not a valid integer value");
}

TEST_F(RespondToPeerTest, DeviceClockWrapsAtMidnight) {
  FixedWallClock late{{23, 59, 30}};
  texts.add1 = "45";
  Receive({0xAA, 0x01, 0x00, 0x01});
  RespondToPeer(frame, texts, late, ',');
  EXPECT_EQ(frame[59], 0);
  EXPECT_EQ(frame[60], 0);
  EXPECT_EQ(frame[61], 15);
}

TEST_F(RespondToPeerTest, DayNumberTakesItsLowEightBits) {
  texts.day = "300";
  Receive({0xAA, 0x01, 0x00, 0x01});
  Respond();
  EXPECT_EQ(frame[57], 44);
  texts.day = "";
  EXPECT_EQ(ErrorOf(), "'' is not a valid integer value");
}

TEST_F(RespondToPeerTest, LeadingFillBytesAreDroppedAfterTheShiftIsChosen) {
  texts.add1 = "90";
  texts.add2 = "-30";
  Receive({0xFF, 0xFF, 0xAA, 0x01, 0x00, 0x01});
  const ResponderReply reply = Respond();
  EXPECT_EQ(reply.trace[0], "1>   min: 14sec:50");
  ASSERT_EQ(reply.length, 165u);
  EXPECT_EQ(frame[1], 1);
  EXPECT_EQ(frame[60], 14);
}

TEST_F(RespondToPeerTest, AtMost500FillBytesAreDroppedWithinTheFirst501Bytes) {
  // 500 fill bytes: byte 500 reaches the front; byte 501 and beyond never move.
  frame.fill(0x5A);
  std::fill_n(frame.begin(), 500, 0xFF);
  frame[500] = 0xAA;
  ResponderReply reply = Respond();
  EXPECT_EQ(frame[0], 0xAA);
  EXPECT_EQ(frame[1], 0xAA);
  EXPECT_EQ(frame[501], 0x5A);
  EXPECT_EQ(reply.trace, std::vector<std::string>{"170>   min: 15sec:20"});
  EXPECT_EQ(reply.length, 0u);

  // 501 fill bytes: one is left at the front.
  frame.fill(0xFF);
  frame[501] = 0xAA;
  reply = Respond();
  EXPECT_EQ(frame[0], 0xFF);
  EXPECT_EQ(reply.trace, std::vector<std::string>{"255>   min: 15sec:20"});
  EXPECT_EQ(reply.length, 0u);
}

TEST_F(RespondToPeerTest, AddressZeroAsksForThePause) {
  Receive({0xAA, 0x00, 0x00, 0x01});
  const ResponderReply reply = Respond();
  EXPECT_TRUE(reply.pause_first);
  EXPECT_EQ(reply.length, 165u);
}

TEST_F(RespondToPeerTest, ValuesAnswer) {
  Receive({0xAA, 0x07, 0x00, 0x02});
  ASSERT_EQ(Respond().length, 130u);
  EXPECT_EQ(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 5), Hex({0x55, 7, 130, 0x82, 1}));
  EXPECT_EQ(std::vector<std::uint8_t>(frame.begin() + 21, frame.begin() + 33),
            Hex({0xCD, 0xCC, 0x4C, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x80, 0x3F}));
  EXPECT_TRUE(CheckCrc16(frame.data(), 128));
  EXPECT_EQ(frame[20], 0x5A);
}

TEST_F(RespondToPeerTest, ReportTracesItsValuesAndIsAcknowledged) {
  texts.add2 = "90";
  Receive({0xAA, 0x03, 0x00, 0x0A, 0x02});
  for (std::size_t offset : {22u, 26u, 30u}) {
    std::copy_n(Hex({0x3F, 0x80, 0x00, 0x00}).begin(), 4, frame.begin() + offset);
  }
  frame[30] = 0xBF;  // -1.25: BF A0 00 00
  frame[31] = 0xA0;
  const ResponderReply reply = Respond();
  ASSERT_EQ(reply.length, 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 6),
            Hex({0x55, 0x03, 0x06, 0x83, 0xA3, 0xE9}));
  const std::vector<std::string> expected{
      "3>   min: 16sec:50", "3,\xED\xE8\xF2\xEA\xE0 2  22>   f: 1", "3  26>   f: 1",
      "3  30>   f: -1,25", "--->   min: 15sec:20"};
  EXPECT_EQ(reply.trace, expected);
}

TEST_F(RespondToPeerTest, OtherRequestsGetOnlyTheClockLine) {
  Receive({0xAA, 0x04, 0x00, 0x05});
  ResponderReply reply = Respond();
  EXPECT_EQ(reply.length, 0u);
  EXPECT_EQ(reply.trace, std::vector<std::string>{"4>   min: 15sec:20"});
  Receive({0x55, 0x04, 0x06, 0x01});
  reply = Respond();
  EXPECT_EQ(reply.length, 0u);
  EXPECT_EQ(reply.trace.size(), 1u);
  EXPECT_EQ(frame[0], 0x55);
}

TEST(ResponderPassTest, ReceivesAnswersAndPausesOnTheLinkClock) {
  LinkRig rig;
  auto* port = &rig.port();
  FixedWallClock clock{{10, 15, 20}};
  const auto step = [&](std::vector<std::uint8_t> request) {
    const auto start = rig.clock.Now();
    port->Inject(std::move(request));
    EXPECT_EQ(ReceiveRequest(rig.link), 4u);
    EXPECT_EQ(rig.link.FrameLength, 4);
    const ResponderReply reply = AnswerRequest(rig.link, ResponderTexts{}, clock, '.');
    return std::pair{reply, rig.clock.Now() - start};
  };
  const auto [answered, answer_time] = step(Hex({0xAA, 0x03, 0x00, 0x0A}));
  EXPECT_EQ(answered.length, 6u);
  ASSERT_EQ(port->writes.size(), 1u);
  EXPECT_EQ(port->writes[0], Hex({0x55, 0x03, 0x06, 0x83, 0xA3, 0xE9}));
  EXPECT_EQ(rig.link.FrameLength, 6);

  const auto [paused, pause_time] = step(Hex({0xAA, 0x00, 0x00, 0x0A}));
  EXPECT_TRUE(paused.pause_first);
  EXPECT_EQ(pause_time - answer_time, kResponderPause);
  EXPECT_EQ(port->writes.size(), 2u);

  step(Hex({0xAA, 0x03, 0x00, 0x05}));
  EXPECT_EQ(port->writes.size(), 2u);  // no answer, nothing written

  rig.hooks.abandon = true;
  EXPECT_EQ(ReceiveRequest(rig.link), 0u);
  EXPECT_EQ(rig.link.FrameLength, 0);
}

}  // namespace
}  // namespace tarvex
