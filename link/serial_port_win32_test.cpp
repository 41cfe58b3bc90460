// The Win32 backend on real COM devices. scripts/test-windows maps them onto
// pseudo-terminals before the tests run under wine: a loopback pair (two ports
// joined back to back) and the simulator. Without those variables the tests skip.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>

#include "link/link.h"
#include "link/port_name.h"
#include "testing/fake_port.h"

namespace tarvex {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

// "\\.\COM" + the variable's text; empty when it is unset.
std::string PortFromEnv(const char* variable) {
  const char* text = std::getenv(variable);
  return text != nullptr && *text != '\0' ? std::string(kComPrefix) + text : std::string();
}

// Reads until n bytes are in or a read brings nothing within `wait`.
Bytes ReadBytes(SerialPort& port, std::size_t n, milliseconds wait = 1000ms) {
  Bytes out(n);
  std::size_t got = 0;
  while (got < n) {
    const std::size_t r = port.Read(out.data() + got, n - got, wait);
    if (r == 0) break;
    got += r;
  }
  out.resize(got);
  return out;
}

void Send(SerialPort& port, const Bytes& bytes) {
  ASSERT_TRUE(port.Write(bytes.data(), bytes.size()));
}

milliseconds Since(steady_clock::time_point start) {
  return std::chrono::duration_cast<milliseconds>(steady_clock::now() - start);
}

// The device's settings as the driver reports them now.
DCB DriverState(const std::string& name) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE) << name;
  if (h == INVALID_HANDLE_VALUE) return dcb;
  EXPECT_TRUE(GetCommState(h, &dcb));
  CloseHandle(h);
  return dcb;
}

// A link whose clock moves on by `step` at every message pump: its long waits pass in
// a few real reads of the port.
struct HastyLink {
  explicit HastyLink(milliseconds step) {
    hooks.on_pump = [this, step] { clock.Advance(step); };
  }
  testing::RecordingHooks hooks;
  testing::FakeClock clock;
  Link link{hooks, clock};
};

// Two ports wired to each other: what one writes, the other reads.
class Win32LoopbackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a_name = PortFromEnv("TARVEX_TEST_LOOP_COM_A");
    b_name = PortFromEnv("TARVEX_TEST_LOOP_COM_B");
    if (a_name.empty() || b_name.empty()) {
      GTEST_SKIP() << "TARVEX_TEST_LOOP_COM_A/B name no loopback pair (scripts/test-windows)";
    }
  }
  void OpenBoth() {
    a = OpenPort(a_name, 38400);
    b = OpenPort(b_name, 38400);
    ASSERT_NE(a, nullptr) << a_name;
    ASSERT_NE(b, nullptr) << b_name;
  }

  std::string a_name, b_name;
  std::unique_ptr<SerialPort> a, b;
};

TEST_F(Win32LoopbackTest, EveryByteValuePassesBothWays) {
  OpenBoth();
  Bytes all(256);
  std::iota(all.begin(), all.end(), 0);
  Send(*a, all);
  EXPECT_EQ(ReadBytes(*b, all.size()), all);
  std::reverse(all.begin(), all.end());
  Send(*b, all);
  EXPECT_EQ(ReadBytes(*a, all.size()), all);
}

TEST_F(Win32LoopbackTest, SoftwareFlowControlLeftOnByTheDriverIsSwitchedOff) {
  // The device comes with XON/XOFF on, as some drivers report it: then 0x11 and 0x13
  // vanish from the input and a received 0x13 stalls the output.
  HANDLE h = CreateFileA(a_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  ASSERT_TRUE(GetCommState(h, &dcb));
  dcb.fOutX = 1;
  dcb.fInX = 1;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  ASSERT_TRUE(SetCommState(h, &dcb));
  CloseHandle(h);
  ASSERT_TRUE(DriverState(a_name).fOutX);

  OpenBoth();
  const Bytes data{0x41, 0x13, 0x42, 0x11, 0x43, 0x13, 0x13, 0x11};
  Send(*b, data);
  EXPECT_EQ(ReadBytes(*a, data.size()), data);
  Send(*a, data);
  EXPECT_EQ(ReadBytes(*b, data.size()), data);

  a.reset();
  const DCB after = DriverState(a_name);
  EXPECT_FALSE(after.fOutX);
  EXPECT_FALSE(after.fInX);
  EXPECT_TRUE(after.fBinary);
  EXPECT_EQ(after.BaudRate, 38400U);
  EXPECT_EQ(after.ByteSize, 8);
  EXPECT_EQ(after.Parity, NOPARITY);
  EXPECT_EQ(after.StopBits, ONESTOPBIT);
}

TEST_F(Win32LoopbackTest, ReadTakesWhatIsThereAndWaitsOnlyForTheFirstByte) {
  OpenBoth();
  // Nothing arrives: the read time-out, neither at once nor seconds later.
  std::uint8_t buffer[16];
  auto start = steady_clock::now();
  EXPECT_EQ(a->Read(buffer, sizeof buffer, Link::kReadTimeout), 0U);
  EXPECT_GE(Since(start), 45ms);
  EXPECT_LT(Since(start), 1000ms);
  // A zero wait returns at once instead of waiting without end.
  start = steady_clock::now();
  EXPECT_EQ(a->Read(buffer, sizeof buffer, 0ms), 0U);
  EXPECT_LT(Since(start), 45ms);

  // Bytes waiting: returned at once, never more than asked for.
  const Bytes ten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  Send(*b, ten);
  std::fill(std::begin(buffer), std::end(buffer), 0xC3);
  start = steady_clock::now();
  std::size_t got = a->Read(buffer, 4, 5000ms);
  ASSERT_GE(got, 1U);
  EXPECT_LT(Since(start), 1000ms) << "a read must not wait for more once bytes are there";
  for (std::size_t i = 4; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 0xC3) << i;
  const Bytes rest = ReadBytes(*a, ten.size() - got);
  Bytes whole(buffer, buffer + got);
  whole.insert(whole.end(), rest.begin(), rest.end());
  EXPECT_EQ(whole, ten);
}

TEST_F(Win32LoopbackTest, PurgeDropsStaleInput) {
  OpenBoth();
  Send(*b, {0xEE, 0xEE, 0xEE});
  RealClock().Sleep(150ms);  // let the stale bytes reach a's input queue
  a->Purge();
  const Bytes fresh{0x05, 0x64, 0x11, 0x13};
  Send(*b, fresh);
  EXPECT_EQ(ReadBytes(*a, fresh.size()), fresh);
  std::uint8_t extra[8];
  EXPECT_EQ(a->Read(extra, sizeof extra, Link::kReadTimeout), 0U);
}

TEST_F(Win32LoopbackTest, OpenDespiteMissingModemLinesRefusesNoRate) {
  HANDLE h = CreateFileA(a_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  const BOOL cleared = EscapeCommFunction(h, CLRRTS);
  CloseHandle(h);
  EXPECT_FALSE(cleared) << "the device has modem lines; this case is not covered here";
  EXPECT_NE(OpenPort(a_name, 38400), nullptr);
  EXPECT_EQ(OpenPort(a_name, 0), nullptr);
  EXPECT_EQ(OpenPort(a_name, -9600), nullptr);
}

TEST_F(Win32LoopbackTest, SilenceEndsTheFirstByteWaitOnTheInjectedClock) {
  HastyLink hasty(500ms);
  ASSERT_TRUE(hasty.link.Open(a_name, 38400));
  const auto start = steady_clock::now();
  EXPECT_EQ(hasty.link.ReadReply(hasty.link.TransferFrame), 0U);
  EXPECT_LT(Since(start), 2000ms);
  EXPECT_GE(hasty.clock.Now().time_since_epoch(),
            Link::kFirstByteAttempts * (Link::kFirstBytePause + Link::kReadTimeout));
  EXPECT_EQ(hasty.hooks.marks, "");
}

TEST(Win32PortOpen, RefusesAMissingDevice) {
  EXPECT_EQ(OpenPort(std::string(kComPrefix) + "249", 38400), nullptr);
  EXPECT_EQ(OpenPort(kComPrefix, 38400), nullptr);
}

// The simulator on a COM port: whole exchanges through the link.
class Win32SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    name = PortFromEnv("TARVEX_TEST_SIM_COM");
    if (name.empty()) GTEST_SKIP() << "TARVEX_TEST_SIM_COM names no simulator port";
    ASSERT_TRUE(link.Open(name, 38400)) << name;
  }

  std::string name;
  testing::RecordingHooks hooks;
  Link link{hooks, RealClock()};
};

TEST_F(Win32SimulatorTest, LogCountQueryGetsAGoodReply) {
  const std::size_t n = BuildCommandRequest(link.TransferFrame, 0x1C);
  ASSERT_EQ(Bytes(link.TransferFrame.begin(), link.TransferFrame.begin() + n),
            (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C, 0x06, 0, 0, 0, 0, 0x8A, 0x47}));
  const std::size_t count = link.ExchangeRaw(link.TransferFrame, n);
  EXPECT_TRUE(IsValidLongReply(link.TransferFrame.data(), count)) << count;
  EXPECT_EQ(hooks.marks, " .  + ");
}

TEST_F(Win32SimulatorTest, LateReplyIsPurgedBeforeTheNextRequest) {
  // A reply left unread sits in the input queue when the next request goes out.
  Bytes stale(kCommandRequestLength);
  BuildCommandRequest(stale, 0x19);
  Send(*link.PortHandle, stale);
  RealClock().Sleep(150ms);
  const std::size_t count =
      link.ExchangeRaw(link.TransferFrame, BuildCommandRequest(link.TransferFrame, 0x1C));
  ASSERT_TRUE(IsValidLongReply(link.TransferFrame.data(), count)) << count;
  EXPECT_EQ(link.TransferFrame[6], 0x1C) << "the reply to the stale request came first";
  EXPECT_EQ(count, 6U + LongReplyLength(link.TransferFrame.data()));
}

// A simulator that hangs up on the first count query and comes back on a new line.
TEST(Win32PortHangUp, AGoneDeviceFailsAtOnceAndCanBeOpenedAgain) {
  const std::string name = PortFromEnv("TARVEX_TEST_HANGUP_COM");
  if (name.empty()) GTEST_SKIP() << "TARVEX_TEST_HANGUP_COM names no simulator port";
  HastyLink hasty(100ms);
  ASSERT_TRUE(hasty.link.Open(name, 38400));
  const auto start = steady_clock::now();
  EXPECT_EQ(hasty.link.ExchangeWordCommand(0x1C), 0);
  EXPECT_TRUE(hasty.link.PortHandle->Lost());
  EXPECT_LT(Since(start), 1000ms);

  testing::RecordingHooks hooks;
  Link fresh(hooks, RealClock());
  bool opened = false;
  for (int i = 0; i < 50 && !opened; ++i) {
    RealClock().Sleep(20ms);  // the line comes back after 100 ms
    opened = fresh.Open(name, 38400);
  }
  ASSERT_TRUE(opened);
  const std::size_t count =
      fresh.ExchangeRaw(fresh.TransferFrame, BuildCommandRequest(fresh.TransferFrame, 0x1C));
  EXPECT_TRUE(IsValidLongReply(fresh.TransferFrame.data(), count)) << count;
}

}  // namespace
}  // namespace tarvex
