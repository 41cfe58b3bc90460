#include "sim/poll/answer_check.h"

#include <gtest/gtest.h>

#include "link/crc16.h"
#include "sim/poll/field_testing.h"

namespace tarvex::sim {
namespace {

using std::chrono::milliseconds;
using testing::FieldAnswer;

FieldPoll PollOf(std::uint8_t address, std::uint8_t function) {
  return FieldPoll{FieldRequest(kFieldRequestLead, address, function), function, address};
}

std::string Reason(const FieldPoll& poll, const Bytes& answer, milliseconds latency = milliseconds(60),
                   std::int32_t day = 28) {
  const AnswerVerdict v = CheckFieldAnswer(poll, answer, latency, AnswerExpectations{day});
  return v.ok ? "ok" : v.reason;
}

TEST(FieldPolls, RequestsFollowTheFieldLayout) {
  const Bytes values = FieldRequest(kFieldRequestLead, 4, 10);
  ASSERT_EQ(values.size(), 36u);
  EXPECT_EQ(Bytes(values.begin(), values.begin() + 5), (Bytes{0xAA, 0x04, 0x00, 0x0A, 0x02}));
  EXPECT_EQ(Bytes(values.begin() + 22, values.begin() + 34),
            (Bytes{0x3F, 0x80, 0x00, 0x00, 0x40, 0x20, 0x00, 0x00, 0xC0, 0x50, 0x00, 0x00}));
  EXPECT_TRUE(CheckCrc16(values.data(), 34));

  const std::vector<FieldPoll> round = FieldPollRound();
  ASSERT_EQ(round.size(), 8u);
  std::string kinds;
  for (const FieldPoll& p : round) {
    kinds += std::to_string(p.function) + "/" + std::to_string(p.address) +
             (p.answered ? "" : "-") + (p.after_pause ? "p" : "") + " ";
  }
  EXPECT_EQ(kinds, "1/1 1/2 2/3 10/4 5/5- 1/6- 1/1 1/0p ");
  EXPECT_EQ(round[5].request[0], 0x55);
  EXPECT_EQ(Bytes(round[6].request.begin(), round[6].request.begin() + 4),
            (Bytes{0xFF, 0xFF, 0xAA, 0x01}));
}

TEST(AnswerCheck, AcceptsCorrectAnswers) {
  // Function 10 to address 3, as the field devices' own example has it.
  EXPECT_EQ(Reason(PollOf(3, 10), Bytes{0x55, 0x03, 0x06, 0x83, 0xA3, 0xE9}), "ok");
  EXPECT_EQ(Reason(PollOf(1, 1), FieldAnswer(1, 1)), "ok");
  EXPECT_EQ(Reason(PollOf(7, 2), FieldAnswer(7, 2)), "ok");
  // Only the low 8 bits of the day number travel.
  EXPECT_EQ(Reason(PollOf(1, 1), FieldAnswer(1, 1, 44), milliseconds(60), 300), "ok");
  Bytes midnight = FieldAnswer(1, 1);
  midnight[59] = 23, midnight[60] = 59, midnight[61] = 59;
  testing::Reseal(midnight);
  EXPECT_EQ(Reason(PollOf(1, 1), midnight), "ok");
}

TEST(AnswerCheck, NamesEachBrokenField) {
  struct Case {
    std::uint8_t function;
    std::size_t offset;
    std::uint8_t value;
    const char* reason;
  };
  const Case cases[] = {
      {1, 0, 0xAA, "byte 0 (lead) is 0xAA, expected 0x55"},
      {1, 1, 0x02, "byte 1 (address) is 0x02, expected 0x01"},
      {1, 2, 0xA4, "byte 2 (length) is 0xA4, expected 0xA5"},
      {1, 3, 0x82, "byte 3 (function) is 0x82, expected 0x81"},
      {1, 4, 0x00, "byte 4 (constant) is 0x00, expected 0x01"},
      {1, 56, 0x07, "byte 56 (constant) is 0x07, expected 0x08"},
      {1, 57, 0x1B, "byte 57 (day) is 0x1B, expected 0x1C"},
      {1, 58, 0x00, "byte 58 (constant) is 0x00, expected 0x11"},
      {1, 59, 24, "byte 59 (hour) is 24, outside 0..23"},
      {1, 60, 60, "byte 60 (minute) is 60, outside 0..59"},
      {1, 61, 60, "byte 61 (second) is 60, outside 0..59"},
      {1, 62, 0x00, "byte 62 (constant) is 0x00, expected 0x09"},
      {1, 63, 0x00, "byte 63 (constant) is 0x00, expected 0x26"},
      {1, 69, 0x00, "byte 69 (constant) is 0x00, expected 0x0B"},
      {2, 3, 0x81, "byte 3 (function) is 0x81, expected 0x82"},
      {2, 4, 0x02, "byte 4 (constant) is 0x02, expected 0x01"},
      {2, 21, 0xCC, "byte 21 (value) is 0xCC, expected 0xCD"},
      {2, 32, 0x00, "byte 32 (value) is 0x00, expected 0x3F"},
      {10, 2, 0x07, "byte 2 (length) is 0x07, expected 0x06"},
      {10, 3, 0x0A, "byte 3 (function) is 0x0A, expected 0x83"},
  };
  for (const Case& c : cases) {
    Bytes answer = FieldAnswer(1, c.function);
    answer[c.offset] = c.value;
    testing::Reseal(answer);
    EXPECT_EQ(Reason(PollOf(1, c.function), answer), c.reason) << "offset " << c.offset;
  }

  Bytes crc = FieldAnswer(1, 2);
  crc[128] ^= 0x01;
  EXPECT_EQ(Reason(PollOf(1, 2), crc), "bad CRC");
  Bytes covered = FieldAnswer(1, 10);
  covered[1] = 0x09;  // address changed without a fresh CRC
  EXPECT_EQ(Reason(PollOf(9, 10), covered), "bad CRC");

  Bytes longer = FieldAnswer(1, 10);
  longer.push_back(0);
  EXPECT_EQ(Reason(PollOf(1, 10), longer), "7 bytes, expected 6");
  Bytes shorter = FieldAnswer(1, 1);
  shorter.resize(130);
  EXPECT_EQ(Reason(PollOf(1, 1), shorter), "130 bytes, expected 165");
  EXPECT_EQ(Reason(PollOf(1, 1), {}), "no answer");
}

TEST(AnswerCheck, UnansweredPollsAndTheZeroAddressPause) {
  const FieldPoll unknown{FieldRequest(kFieldRequestLead, 5, 5), 5, 5, false};
  EXPECT_EQ(Reason(unknown, {}), "ok");
  EXPECT_EQ(Reason(unknown, FieldAnswer(5, 10)), "answered 6 bytes, expected none");

  FieldPoll zero = PollOf(0, 1);
  zero.after_pause = true;
  EXPECT_EQ(Reason(zero, FieldAnswer(0, 1), milliseconds(9)), "ok");
  EXPECT_EQ(Reason(zero, FieldAnswer(0, 1), milliseconds(3)),
            "answered after 3 ms, before the 9 ms pause");
  // Other addresses may answer at once.
  EXPECT_EQ(Reason(PollOf(2, 1), FieldAnswer(2, 1), milliseconds(0)), "ok");
}

TEST(AnswerCheck, PollLines) {
  EXPECT_EQ(PollLine(1, PollOf(1, 1), {true, {}}, 165), "poll 1 fn 1 addr 1: ok 165 bytes");
  const FieldPoll unknown{FieldRequest(kFieldRequestLead, 5, 5), 5, 5, false};
  EXPECT_EQ(PollLine(5, unknown, {true, {}}, 0), "poll 5 fn 5 addr 5: no answer (expected)");
  EXPECT_EQ(PollLine(3, PollOf(3, 2), {false, "bad CRC"}, 130), "poll 3 fn 2 addr 3: FAIL bad CRC");
}

}  // namespace
}  // namespace tarvex::sim
