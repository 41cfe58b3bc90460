// The real POSIX backend against a peer on a pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "link/link.h"
#include "testing/fake_port.h"

namespace tarvex {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// The controller's end of a pseudo-terminal.
class PtyPeer {
 public:
  PtyPeer() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(master_);
    ::unlockpt(master_);
    path_ = ::ptsname(master_);
    termios tio{};
    ::tcgetattr(master_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(master_, TCSANOW, &tio);
  }
  ~PtyPeer() { ::close(master_); }
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  const std::string& path() const { return path_; }
  void Send(const Bytes& bytes) { ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  // Everything that arrives within `wait`.
  Bytes Receive(std::chrono::milliseconds wait) {
    Bytes out;
    std::uint8_t chunk[512];
    pollfd pfd{master_, POLLIN, 0};
    while (::poll(&pfd, 1, static_cast<int>(wait.count())) > 0) {
      const ssize_t n = ::read(master_, chunk, sizeof chunk);
      if (n <= 0) break;
      out.insert(out.end(), chunk, chunk + n);
    }
    return out;
  }
  void HangUp() { ::close(master_); master_ = -1; }

 private:
  int master_ = -1;
  std::string path_;
};

class PosixPortTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(link.Open(peer.path(), 38400)) << peer.path(); }
  std::size_t Command(std::uint8_t code) {
    return BuildCommandRequest(link.TransferFrame, code);
  }

  PtyPeer peer;
  testing::RecordingHooks hooks;
  Link link{hooks, RealClock()};
};

TEST_F(PosixPortTest, FullExchangeAndStaleBytesPurged) {
  peer.Send({0xEE, 0xEE});  // noise before the request
  std::this_thread::sleep_for(20ms);
  std::thread controller([&] {
    const Bytes request = peer.Receive(100ms);
    EXPECT_EQ(request, (Bytes{0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C, 0x06, 0, 0, 0, 0, 0x8A, 0x47}));
    peer.Send(testing::MakeLongReply({0xD0, 0x07}, 0x1C));
  });
  EXPECT_EQ(link.ExchangeWord(link.TransferFrame, Command(0x1C)), 2000);
  controller.join();
  EXPECT_EQ(hooks.marks, " .  + ");
}

TEST_F(PosixPortTest, FlowControlBytesPassBothWays) {
  const Bytes data{0x11, 0x13, 0x11, 0x0D, 0x0A, 0x13, 0x00, 0xFF};
  std::thread controller([&] {
    const Bytes request = peer.Receive(100ms);
    EXPECT_EQ(request, data);
    peer.Send(request);
  });
  std::array<std::uint8_t, kTransferFrameSize> frame{};
  std::copy(data.begin(), data.end(), frame.begin());
  link.WriteRequest(frame.data(), data.size());
  frame.fill(0);
  EXPECT_EQ(link.ReadReply(frame, ReplyFraming::kSilence), data.size());
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 8), data);
  controller.join();
}

TEST_F(PosixPortTest, ReplyCutAtALongPause) {
  std::thread controller([&] {
    peer.Receive(60ms);
    peer.Send({1, 2, 3});
    std::this_thread::sleep_for(150ms);
    peer.Send({4, 5, 6});
  });
  ShortBuffer buffer{};
  link.WriteRequest(buffer.data(), 12);
  EXPECT_EQ(link.ReadReply(buffer, ReplyFraming::kSilence), 3U);
  controller.join();
}

TEST_F(PosixPortTest, ReadWaitsItsWholeTimeOutNotWholeMilliseconds) {
  // Cut to whole milliseconds, a 2.5 ms wait would end at 2 ms and an end-of-reply
  // silence would be judged early.
  std::uint8_t byte = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(link.PortHandle->Read(&byte, 1, 2500us), 0U);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 2500us);
}

TEST_F(PosixPortTest, FullFrameAndLongerBurstWithoutOverflow) {
  const Bytes reply = testing::MakeLongReply(Bytes(kTransferFrameSize - 10, 0x5A));
  ASSERT_EQ(reply.size(), kTransferFrameSize);
  std::thread controller([&] {
    peer.Receive(60ms);
    peer.Send(reply);
  });
  EXPECT_EQ(link.ExchangeData(link.TransferFrame, Command(26)), int(kTransferFrameSize - 10));
  controller.join();

  std::thread flood([&] {
    peer.Receive(60ms);
    peer.Send(Bytes(3000, 0x33));
  });
  std::array<std::uint8_t, kTransferFrameSize + 8> guarded{};
  guarded.fill(0xC3);
  std::span<std::uint8_t> frame(guarded.data(), kTransferFrameSize);
  EXPECT_EQ(link.ExchangeRaw(frame, BuildCommandRequest(frame, 26)), kTransferFrameSize);
  for (std::size_t i = kTransferFrameSize; i < guarded.size(); ++i) ASSERT_EQ(guarded[i], 0xC3);
  flood.join();
}

TEST_F(PosixPortTest, SilenceGivesZeroWithTheInjectedClock) {
  // Each look at the clock moves it by half a second: the 13 s wait passes in a few
  // real polls of the pty.
  class HastyClock final : public Clock {
   public:
    TimePoint Now() override { return now_ += 500ms; }
    void Sleep(Duration) override {}
   private:
    TimePoint now_{};
  } hasty;
  Link hasty_link(hooks, hasty);
  link.Close();
  ASSERT_TRUE(hasty_link.Open(peer.path(), 38400));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(hasty_link.ExchangeWord(hasty_link.TransferFrame, BuildCommandRequest(hasty_link.TransferFrame, 28)), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

TEST_F(PosixPortTest, HangUpIsSeenAsALostDevice) {
  peer.HangUp();
  const auto start = std::chrono::steady_clock::now();
  testing::FakeClock fake;
  Link fast(hooks, fake);
  fast.PortHandle = std::move(link.PortHandle);
  EXPECT_EQ(fast.ExchangeWord(fast.TransferFrame, BuildCommandRequest(fast.TransferFrame, 28)), 0);
  EXPECT_TRUE(fast.PortHandle->Lost());
  EXPECT_EQ(fast.LastFailure(), LinkFailure::kPortGone);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << "no busy wait on a dead device";
}

TEST(PosixPortOpen, RefusesMissingDevicesAndBadRates) {
  EXPECT_EQ(OpenPort("\\\\.\\COM", 38400), nullptr);
  EXPECT_EQ(OpenPort("/nonexistent/tty", 38400), nullptr);
  PtyPeer peer;
  EXPECT_EQ(OpenPort(peer.path(), 0), nullptr);
  EXPECT_EQ(OpenPort(peer.path(), 12345), nullptr);
  EXPECT_NE(OpenPort(peer.path(), 115200), nullptr);
}

}  // namespace
}  // namespace tarvex
