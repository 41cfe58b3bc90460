#include "sim/pty/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tarvex::sim {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::string_view kReady = "ready ";
constexpr auto kStopTimeout = std::chrono::seconds(5);

// Reads from `fd` until a whole line is in; empty when the writer ends or the deadline
// passes first.
std::string ReadLine(int fd, Clock::time_point deadline) {
  std::string line;
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return {};
    pollfd p{fd, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return {};
    char c;
    const ssize_t n = read(fd, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return {};
    if (c == '\n') return line;
    line += c;
  }
}

}  // namespace

SimProcess::SimProcess(const std::string& executable, const std::vector<std::string>& args,
                       std::chrono::milliseconds ready_timeout) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  fcntl(out[0], F_SETFD, FD_CLOEXEC);

  std::vector<std::string> argv_text{executable};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  const int failed = posix_spawn(&pid_, executable.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  stdout_fd_ = out[0];
  if (failed != 0) {
    close(stdout_fd_);
    pid_ = -1;
    throw std::runtime_error("cannot start " + executable + ": " + std::strerror(failed));
  }

  const std::string line = ReadLine(stdout_fd_, Clock::now() + ready_timeout);
  if (!line.starts_with(kReady)) {
    Stop();
    throw std::runtime_error(executable + " did not report ready");
  }
  link_path_ = line.substr(kReady.size());
}

SimProcess::~SimProcess() { Stop(); }

int SimProcess::Stop() {
  if (pid_ < 0) return -1;
  kill(pid_, SIGTERM);
  int status = 0;
  if (!Ended(kStopTimeout, status)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
  }
  return Finish(status);
}

int SimProcess::Wait(std::chrono::milliseconds limit) {
  if (pid_ < 0) return -1;
  int status = 0;
  return Ended(limit, status) ? Finish(status) : Stop();
}

bool SimProcess::Ended(std::chrono::milliseconds limit, int& status) {
  const auto deadline = Clock::now() + limit;
  pid_t done = 0;
  while ((done = waitpid(pid_, &status, WNOHANG)) == 0 && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done != 0;
}

int SimProcess::Finish(int status) {
  pid_ = -1;
  if (stdout_fd_ >= 0) close(stdout_fd_);
  stdout_fd_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tarvex::sim
