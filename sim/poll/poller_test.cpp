#include "sim/poll/pty_poller.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <thread>

#include "sim/poll/field_testing.h"
#include "sim/pty/sim_process.h"

namespace tarvex::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

fs::path TestLink() {
  return fs::temp_directory_path() / ("tarvex-poller-test-" + std::to_string(getpid())) / "tty";
}

// Short waits: the stand-in answers at once, so nothing here needs the real ones.
PollerOptions FastOptions() {
  PollerOptions o;
  o.interval = 5ms;
  o.answer_timeout = 1000ms;
  o.no_answer_wait = 80ms;
  o.silence = 30ms;
  return o;
}

// A field-device responder in the test: answers functions 1, 2 and 10 from their layout.
struct StandIn {
  bool pause_for_zero = true;    // 9 ms before answering address 0
  bool answer_unknown = false;   // answers function 5 as if it were 10
  int fd = -1;
  std::atomic<bool> stop{false};
  std::atomic<int> requests{0};
  std::thread thread;

  void Start(const fs::path& device) {
    fd = open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    thread = std::thread([this] { Serve(); });
  }
  ~StandIn() {
    stop = true;
    if (thread.joinable()) thread.join();
    if (fd >= 0) close(fd);
  }

  // A request ends at 2 ms without a byte.
  Bytes Receive() {
    Bytes got;
    while (!stop) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, got.empty() ? 20 : 2) <= 0) {
        if (!got.empty()) return got;
        continue;
      }
      std::uint8_t buffer[256];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) return {};
      got.insert(got.end(), buffer, buffer + n);
    }
    return {};
  }

  void Serve() {
    while (!stop) {
      Bytes request = Receive();
      if (request.size() < 4) continue;
      ++requests;
      const std::uint8_t received_address = request[1];
      while (!request.empty() && request[0] == 0xFF) request.erase(request.begin());
      if (request.size() < 4 || request[0] != 0xAA) continue;
      std::uint8_t function = request[3];
      if (function == 5 && answer_unknown) function = 10;
      if (function != 1 && function != 2 && function != 10) continue;
      if (received_address == 0 && pause_for_zero) std::this_thread::sleep_for(9ms);
      const Bytes answer = testing::FieldAnswer(request[1], function);
      ASSERT_EQ(write(fd, answer.data(), answer.size()), static_cast<ssize_t>(answer.size()));
    }
  }
};

class PollerTest : public ::testing::Test {
 protected:
  void TearDown() override { fs::remove_all(TestLink().parent_path()); }
};

TEST_F(PollerTest, PassesAGoodResponderAndHearsTheSilences) {
  PtyPoller poller(TestLink().string(), FastOptions());
  poller.Open();
  StandIn device;
  device.Start(TestLink());
  ASSERT_TRUE(poller.WaitForDevice(2s));
  std::ostringstream out;
  const PollReport report = poller.Run(out);
  EXPECT_TRUE(report.passed());
  EXPECT_EQ(out.str(),
            "poll 1 fn 1 addr 1: ok 165 bytes\n"
            "poll 2 fn 1 addr 2: ok 165 bytes\n"
            "poll 3 fn 2 addr 3: ok 130 bytes\n"
            "poll 4 fn 10 addr 4: ok 6 bytes\n"
            "poll 5 fn 5 addr 5: no answer (expected)\n"
            "poll 6 fn 1 addr 6: no answer (expected)\n"
            "poll 7 fn 1 addr 1: ok 165 bytes\n"
            "poll 8 fn 1 addr 0: ok 165 bytes\n"
            "polls 8 ok 8 failed 0\n");
  EXPECT_EQ(device.requests, 8);
  EXPECT_GE(report.polls[7].latency, 9ms);
}

TEST_F(PollerTest, FailsAnswersToUnknownFunctionsAndAMissingPause) {
  PollerOptions options = FastOptions();
  options.count = 10;  // round the list and on
  PtyPoller poller(TestLink().string(), options);
  poller.Open();
  StandIn device;
  device.pause_for_zero = false;
  device.answer_unknown = true;
  device.Start(TestLink());
  ASSERT_TRUE(poller.WaitForDevice(2s));
  std::ostringstream out;
  const PollReport report = poller.Run(out);
  EXPECT_FALSE(report.passed());
  EXPECT_EQ(report.polls.size(), 10u);
  EXPECT_EQ(report.polls[4].line, "poll 5 fn 5 addr 5: FAIL answered 6 bytes, expected none");
  EXPECT_EQ(report.polls[8].line, "poll 9 fn 1 addr 1: ok 165 bytes");
  // The stand-in answers at once; a sub-millisecond answer shows the missing pause.
  if (report.polls[7].latency < kZeroAddressPause) {
    EXPECT_NE(report.polls[7].line.find("before the 9 ms pause"), std::string::npos);
    EXPECT_EQ(report.failed, 2u);
  }
  EXPECT_NE(out.str().find("polls 10 ok " + std::to_string(report.ok) + " failed " +
                           std::to_string(report.failed) + "\n"),
            std::string::npos);
}

TEST_F(PollerTest, SilentOrClosedLinesFailAndCancelEndsTheWaits) {
  PollerOptions options = FastOptions();
  options.answer_timeout = 100ms;
  options.count = 2;
  PtyPoller poller(TestLink().string(), options);
  poller.Open();
  EXPECT_FALSE(poller.WaitForDevice(50ms));

  // The device side open but nobody answering.
  int device = open(TestLink().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(device, 0);
  ASSERT_TRUE(poller.WaitForDevice(1s));
  std::ostringstream out;
  PollReport report = poller.Run(out);
  EXPECT_EQ(report.polls[0].line, "poll 1 fn 1 addr 1: FAIL no answer");
  EXPECT_EQ(report.failed, 2u);
  close(device);

  // The tool gone: no answer can come, and each poll says so at once.
  std::ostringstream closed;
  report = poller.Run(closed);
  EXPECT_EQ(report.polls[0].line, "poll 1 fn 1 addr 1: FAIL line hung up");

  device = open(TestLink().c_str(), O_RDWR | O_NOCTTY);
  std::thread canceller([&] {
    std::this_thread::sleep_for(50ms);
    poller.Cancel();
  });
  std::ostringstream cancelled;
  report = poller.Run(cancelled);
  canceller.join();
  EXPECT_TRUE(report.cancelled);
  EXPECT_FALSE(report.passed());
  EXPECT_FALSE(poller.WaitForDevice());
  close(device);
}

TEST_F(PollerTest, ExecutablePollsAndExitsZeroWhenAllPassed) {
  SimProcess sim(TARVEX_SIM_EXECUTABLE, {"--link", TestLink().string(), "--poll", "--poll-count",
                                         "4", "--poll-interval", "5", "--poll-start", "0"});
  StandIn device;
  device.Start(TestLink());
  EXPECT_EQ(sim.Wait(10s), 0);
  EXPECT_EQ(device.requests, 4);
  EXPECT_FALSE(fs::exists(fs::symlink_status(TestLink())));
}

}  // namespace
}  // namespace tarvex::sim
