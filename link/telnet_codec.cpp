#include "link/telnet_codec.h"

namespace tarvex {
namespace {

constexpr std::uint8_t kIac = 0xFF;
constexpr std::uint8_t kDont = 0xFE;
constexpr std::uint8_t kDo = 0xFD;
constexpr std::uint8_t kWont = 0xFC;
constexpr std::uint8_t kWill = 0xFB;
constexpr std::uint8_t kSb = 0xFA;
constexpr std::uint8_t kSe = 0xF0;

constexpr std::uint8_t kBinary = 0;
constexpr std::uint8_t kSuppressGoAhead = 3;
constexpr std::uint8_t kComPort = 44;

// COM port option commands; the server answers each with the code plus 100.
constexpr std::uint8_t kSetBaudRate = 1;
constexpr std::uint8_t kSetDataSize = 2;
constexpr std::uint8_t kSetParity = 3;
constexpr std::uint8_t kSetStopSize = 4;
constexpr std::uint8_t kSetControl = 5;
constexpr std::uint8_t kPurgeData = 12;
constexpr std::uint8_t kServerOffset = 100;

constexpr std::uint8_t kParityNone = 1;
constexpr std::uint8_t kOneStopBit = 1;
constexpr std::uint8_t kNoFlowControl = 1;
constexpr std::uint8_t kPurgeBoth = 3;

// Options taken when the server offers or asks for them; every other one is refused.
bool Wanted(std::uint8_t option, bool ours) {
  return option == kBinary || option == kComPort || (!ours && option == kSuppressGoAhead);
}

void AppendSub(std::vector<std::uint8_t>& out, std::uint8_t command, std::initializer_list<std::uint8_t> value) {
  out.insert(out.end(), {kIac, kSb, kComPort, command});
  TelnetCodec::Escape(std::data(value), value.size(), out);
  out.insert(out.end(), {kIac, kSe});
}

}  // namespace

std::array<TelnetCodec::Side, 256> TelnetCodec::Requested(bool ours) {
  std::array<Side, 256> sides{};
  sides.fill(Side::kOff);
  sides[kBinary] = Side::kRequested;
  sides[ours ? kComPort : kSuppressGoAhead] = Side::kRequested;
  return sides;
}

std::vector<std::uint8_t> TelnetCodec::Opening(std::uint32_t baud) {
  std::vector<std::uint8_t> out{kIac, kWill, kBinary, kIac, kDo, kBinary, kIac, kWill, kComPort,
                                kIac, kDo,   kSuppressGoAhead};
  AppendSub(out, kSetBaudRate,
            {static_cast<std::uint8_t>(baud >> 24), static_cast<std::uint8_t>(baud >> 16),
             static_cast<std::uint8_t>(baud >> 8), static_cast<std::uint8_t>(baud)});
  AppendSub(out, kSetDataSize, {8});
  AppendSub(out, kSetParity, {kParityNone});
  AppendSub(out, kSetStopSize, {kOneStopBit});
  AppendSub(out, kSetControl, {kNoFlowControl});
  return out;
}

std::vector<std::uint8_t> TelnetCodec::PurgeRequest() {
  std::vector<std::uint8_t> out;
  AppendSub(out, kPurgeData, {kPurgeBoth});
  return out;
}

void TelnetCodec::Escape(const std::uint8_t* data, std::size_t n, std::vector<std::uint8_t>& out) {
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(data[i]);
    if (data[i] == kIac) out.push_back(kIac);
  }
}

void TelnetCodec::Receive(const std::uint8_t* bytes, std::size_t n, std::vector<std::uint8_t>& data,
                          std::vector<std::uint8_t>& answers) {
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t b = bytes[i];
    switch (state_) {
      case State::kData:
        if (b == kIac) {
          state_ = State::kCommand;
        } else {
          data.push_back(b);
        }
        break;
      case State::kCommand:
        state_ = State::kData;
        if (b == kIac) {
          data.push_back(b);
        } else if (b >= kWill && b <= kDont) {
          verb_ = b;
          state_ = State::kOption;
        } else if (b == kSb) {
          sub_.clear();
          state_ = State::kSub;
        }  // other commands (NOP, GA, ...) carry nothing for a serial line
        break;
      case State::kOption:
        Negotiate(verb_, b, answers);
        state_ = State::kData;
        break;
      case State::kSub:
        if (b == kIac) {
          state_ = State::kSubCommand;
        } else if (sub_.size() < 64) {
          sub_.push_back(b);
        }
        break;
      case State::kSubCommand:
        if (b == kIac) {
          if (sub_.size() < 64) sub_.push_back(b);
          state_ = State::kSub;
        } else {
          // IAC SE ends it; any other command ends it as well, as a broken one.
          if (b == kSe) EndSubnegotiation();
          state_ = State::kData;
        }
        break;
    }
  }
}

void TelnetCodec::Negotiate(std::uint8_t verb, std::uint8_t option, std::vector<std::uint8_t>& answers) {
  // DO/DONT ask about our side, WILL/WONT tell about theirs. Answer only to change a
  // state, never to confirm one: two ends that both do so never loop.
  const bool ours = verb == kDo || verb == kDont;
  const bool enable = verb == kDo || verb == kWill;
  Side& side = ours ? ours_[option] : theirs_[option];
  const std::uint8_t yes = ours ? kWill : kDo;
  const std::uint8_t no = ours ? kWont : kDont;
  if (enable) {
    if (side == Side::kOn) return;
    if (side == Side::kRequested || Wanted(option, ours)) {
      if (side == Side::kOff) answers.insert(answers.end(), {kIac, yes, option});
      side = Side::kOn;
    } else {
      answers.insert(answers.end(), {kIac, no, option});
    }
    return;
  }
  if (side == Side::kOn) answers.insert(answers.end(), {kIac, no, option});
  side = Side::kOff;
  if (ours && option == kComPort) com_port_refused_ = true;
}

void TelnetCodec::EndSubnegotiation() {
  if (sub_.size() == 6 && sub_[0] == kComPort && sub_[1] == kServerOffset + kSetBaudRate) {
    server_baud_ = static_cast<std::uint32_t>(sub_[2]) << 24 | static_cast<std::uint32_t>(sub_[3]) << 16 |
                   static_cast<std::uint32_t>(sub_[4]) << 8 | sub_[5];
  }
}

}  // namespace tarvex
