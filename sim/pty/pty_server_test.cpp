#include "sim/pty/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "sim/model/sim_testing.h"
#include "sim/pty/sim_process.h"

namespace tarvex::sim {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::Bytes;
using Clock = std::chrono::steady_clock;

const Bytes kCountQuery = {0x05, 0x64, 0x08, 0x00, 0x46, 0xF7, 0x1C,
                           0x06, 0x00, 0x00, 0x00, 0x00, 0x8A, 0x47};

fs::path TestLink(const std::string& name) {
  return fs::temp_directory_path() /
         ("tarvex-sim-test-" + std::to_string(getpid())) / "dev" / name;
}

PtyOptions Options(const std::string& name, std::int32_t baud = 0) {
  PtyOptions options;
  options.link_path = TestLink(name).string();
  options.baud = baud;
  options.partial_request_timeout = 100ms;
  return options;
}

// The device side as the tool sees it: plain open and a raw termios setup.
int OpenDevice(const fs::path& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return fd;
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  return fd;
}

// Reads until `want` bytes are in, the line fails, or `limit` has passed.
Bytes ReadBytes(int fd, std::size_t want, std::chrono::milliseconds limit = 3000ms) {
  Bytes got;
  const auto deadline = Clock::now() + limit;
  while (got.size() < want) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    std::uint8_t buffer[256];
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, want - got.size()));
    if (n <= 0) break;
    got.insert(got.end(), buffer, buffer + n);
  }
  return got;
}

Bytes Exchange(int fd, const Bytes& request, std::size_t reply_size) {
  EXPECT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
  return ReadBytes(fd, reply_size);
}

class PtyServerTest : public ::testing::Test {
 protected:
  // Serves `model` on the test link and opens its device side into fd.
  void Serve(std::int32_t baud = 0) {
    server.emplace(model, Options("tty", baud));
    server->Start();
    fd = OpenDevice(TestLink("tty"));
    ASSERT_GE(fd, 0);
  }
  void TearDown() override {
    if (fd >= 0) close(fd);
    server.reset();
    fs::remove_all(TestLink("x").parent_path().parent_path());
  }

  ControllerModel model;
  std::optional<PtyServer> server;
  int fd = -1;
};

TEST_F(PtyServerTest, AnswersTheCountQueryOverThePseudoTerminal) {
  Serve();
  ASSERT_TRUE(fs::is_symlink(TestLink("tty")));
  const Bytes reply = Exchange(fd, kCountQuery, 12);
  ASSERT_EQ(reply.size(), 12u);
  EXPECT_TRUE(IsValidLongReply(reply.data(), reply.size()));
  EXPECT_EQ(testing::WordAt8(reply), 300);

  // Closing and re-opening the port, as the tool does, keeps the line.
  close(fd);
  fd = OpenDevice(TestLink("tty"));
  ASSERT_GE(fd, 0);
  EXPECT_EQ(Exchange(fd, kCountQuery, 12), reply);

  server->Stop();
  EXPECT_FALSE(fs::exists(fs::symlink_status(TestLink("tty"))));
}

TEST_F(PtyServerTest, PassesFlowControlBytesUnchanged) {
  Serve();
  const Bytes text = {0x11, 0x13, 0x0D, 0x0A, 0x03, 0x7F, 0xFF};
  Exchange(fd, testing::ShortCommand(21), 8);
  Exchange(fd, testing::WriteBlock(0, text), 8);
  Exchange(fd, testing::ShortCommand(23), 8);
  Exchange(fd, testing::ShortCommand(61), 8);
  const Bytes block = Exchange(fd, testing::ReadBlock(0), 3 + text.size() + 2);
  ASSERT_EQ(block.size(), 3 + text.size() + 2);
  EXPECT_EQ(Bytes(block.begin() + 3, block.begin() + 3 + 7), text);
}

TEST_F(PtyServerTest, PacesRepliesAtTheBaudRate) {
  Serve(9600);
  const auto start = Clock::now();
  const Bytes reply = Exchange(fd, testing::CommandRequest(14), 10 + model.script().size());
  const auto elapsed = Clock::now() - start;
  ASSERT_EQ(reply.size(), 10 + model.script().size());
  // Request and reply at 1.04 ms per byte.
  EXPECT_GE(elapsed, std::chrono::microseconds((14 + reply.size()) * 1000));
}

TEST_F(PtyServerTest, PauseFaultLeavesAGapInTheReply) {
  model.AddFault(ParseFault("long:28:pause=120"));
  Serve();
  ASSERT_EQ(write(fd, kCountQuery.data(), kCountQuery.size()), 14);
  const Bytes first = ReadBytes(fd, 6);
  const auto first_at = Clock::now();
  const Bytes second = ReadBytes(fd, 6);
  EXPECT_GE(Clock::now() - first_at, 100ms);
  Bytes whole = first;
  whole.insert(whole.end(), second.begin(), second.end());
  EXPECT_TRUE(IsValidLongReply(whole.data(), whole.size()));
}

TEST_F(PtyServerTest, HangUpDropsTheLineAndBringsItBack) {
  model.AddFault(ParseFault("long:28:hangup=100:count=1"));
  Serve();
  ASSERT_EQ(write(fd, kCountQuery.data(), kCountQuery.size()), 14);
  pollfd p{fd, POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 3000), 1);
  EXPECT_NE(p.revents & (POLLHUP | POLLERR), 0);
  std::uint8_t byte;
  EXPECT_LE(read(fd, &byte, 1), 0);
  close(fd);

  fd = -1;
  const auto deadline = Clock::now() + 3s;
  while (fd < 0 && Clock::now() < deadline) {
    fd = OpenDevice(TestLink("tty"));
    if (fd < 0) poll(nullptr, 0, 20);
  }
  ASSERT_GE(fd, 0);
  const Bytes reply = Exchange(fd, kCountQuery, 12);
  EXPECT_TRUE(IsValidLongReply(reply.data(), reply.size()));
}

TEST_F(PtyServerTest, ForgetsARequestLeftUnfinished) {
  Serve();
  // Kept, the 8 bytes would swallow the start of the next request and spoil both.
  ASSERT_EQ(write(fd, kCountQuery.data(), 8), 8);
  poll(nullptr, 0, 250);
  bool partial = true;
  server->WithModel([&](ControllerModel& m) { partial = m.HasPartialRequest(); });
  EXPECT_FALSE(partial);
  const Bytes reply = Exchange(fd, kCountQuery, 12);
  EXPECT_TRUE(IsValidLongReply(reply.data(), reply.size()));
}

TEST_F(PtyServerTest, RefusesToReplaceAFileThatIsNoLink) {
  fs::create_directories(TestLink("tty").parent_path());
  { std::FILE* f = std::fopen(TestLink("plain").c_str(), "w"); std::fclose(f); }
  PtyServer server(model, Options("plain"));
  EXPECT_THROW(server.Start(), std::runtime_error);
  EXPECT_TRUE(fs::is_regular_file(TestLink("plain")));
}

TEST_F(PtyServerTest, ExecutableAnswersAfterItsReadyLine) {
  SimProcess sim(TARVEX_SIM_EXECUTABLE, {"--link", TestLink("tty").string(), "--records", "42"});
  EXPECT_EQ(sim.link_path(), TestLink("tty").string());
  fd = OpenDevice(TestLink("tty"));
  ASSERT_GE(fd, 0);
  const Bytes reply = Exchange(fd, kCountQuery, 12);
  ASSERT_TRUE(IsValidLongReply(reply.data(), reply.size()));
  EXPECT_EQ(testing::WordAt8(reply), 42);
  EXPECT_EQ(sim.Stop(), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(TestLink("tty"))));
}

}  // namespace
}  // namespace tarvex::sim
