// tarvex-sim as a child process, for tests and benchmarks that want it out of process.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace tarvex::sim {

class SimProcess {
 public:
  // Starts `executable` with `args` and waits up to `ready_timeout` for its line
  // "ready PATH". Throws std::runtime_error when it ends or stays silent before that.
  SimProcess(const std::string& executable, const std::vector<std::string>& args,
             std::chrono::milliseconds ready_timeout = std::chrono::seconds(10));
  // Stops the process if it still runs.
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // The PATH of the "ready" line.
  const std::string& link_path() const { return link_path_; }
  pid_t pid() const { return pid_; }

  // Sends SIGTERM and waits for the end (SIGKILL after 5 s). Returns the exit code, or
  // -1 when a signal ended it.
  int Stop();
  // Waits up to `limit` for the process to end by itself, then stops it. Returns as Stop.
  int Wait(std::chrono::milliseconds limit);

 private:
  // True when the process ended within `limit`, with its wait status in `status`.
  bool Ended(std::chrono::milliseconds limit, int& status);
  // Forgets the ended process; returns its exit code, or -1 when a signal ended it.
  int Finish(int status);

  pid_t pid_ = -1;
  int stdout_fd_ = -1;
  std::string link_path_;
};

}  // namespace tarvex::sim
