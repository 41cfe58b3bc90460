#include "link/telnet_codec.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TelnetCodec, DataKeepsEvery0xFFBothWaysAndLosesTheServersCommands) {
  Bytes out;
  const Bytes data{0x05, 0xFF, 0x11, 0xFF};
  TelnetCodec::Escape(data.data(), data.size(), out);
  EXPECT_EQ(out, (Bytes{0x05, 0xFF, 0xFF, 0x11, 0xFF, 0xFF}));

  // A doubled 0xFF split between two reads, a modem state notification and a NOP
  // between data bytes.
  TelnetCodec codec;
  Bytes received;
  Bytes answers;
  const Bytes first{0x01, 0xFF};
  const Bytes second{0xFF, 0x02, 0xFF, 0xFA, 44, 107, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xF1, 0x03};
  codec.Receive(first.data(), first.size(), received, answers);
  codec.Receive(second.data(), second.size(), received, answers);
  EXPECT_EQ(received, (Bytes{0x01, 0xFF, 0x02, 0x03}));
  EXPECT_TRUE(answers.empty());
}

TEST(TelnetCodec, AnswersTheNegotiationOnceAndTakesTheBaudRateTheServerSet) {
  TelnetCodec codec;
  Bytes data;
  Bytes answers;
  // The server's opening: echo and go-ahead suppression offered, binary asked for, the
  // COM port option offered, a terminal type asked for; then its answer to our baud.
  const Bytes opening{0xFF, 0xFB, 1,  0xFF, 0xFB, 3,    0xFF, 0xFD, 0,    0xFF, 0xFB, 44,
                      0xFF, 0xFD, 24, 0xFF, 0xFA, 44, 101, 0x00, 0x00, 0x96, 0x00, 0xFF, 0xF0};
  codec.Receive(opening.data(), opening.size(), data, answers);
  // Echo and terminal type refused, the server's COM port option taken; binary and
  // go-ahead suppression were asked for by the opening and need no answer.
  EXPECT_EQ(answers, (Bytes{0xFF, 0xFE, 1, 0xFF, 0xFD, 44, 0xFF, 0xFC, 24}));
  EXPECT_EQ(codec.server_baud(), 38400u);
  EXPECT_TRUE(data.empty());
  answers.clear();
  codec.Receive(opening.data() + 9, 3, data, answers);  // asked again for what is on
  EXPECT_TRUE(answers.empty());

  const Bytes refusal{0xFF, 0xFE, 44};
  codec.Receive(refusal.data(), refusal.size(), data, answers);
  EXPECT_TRUE(codec.com_port_refused());
  const Bytes opening_bytes = TelnetCodec::Opening(38400);
  const Bytes baud{0xFF, 0xFA, 44, 1, 0x00, 0x00, 0x96, 0x00, 0xFF, 0xF0};
  EXPECT_NE(std::search(opening_bytes.begin(), opening_bytes.end(), baud.begin(), baud.end()), opening_bytes.end());
}

}  // namespace
}  // namespace tarvex
