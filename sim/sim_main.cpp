// tarvex-sim: the simulated controller on a pseudo-terminal, until SIGTERM or SIGINT.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/controller_model.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"

int main(int argc, char** argv) {
  using namespace tarvex::sim;
  SimOptions options;
  try {
    options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "tarvex-sim: %s\n%s", e.what(), kSimUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kSimUsage, stdout);
    return 0;
  }

  ControllerModel model(options.model);
  ApplySimOptions(options, model);

  // The signals that end the simulator are taken by sigwait below; the serving thread
  // inherits the mask, so none of them interrupts it.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  sigaddset(&ending, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::atomic<bool> failed{false};
  PtyOptions pty;
  pty.link_path = options.link_path;
  pty.baud = options.baud;
  pty.on_failure = [&failed](const std::string& why) {
    std::fprintf(stderr, "tarvex-sim: line lost: %s\n", why.c_str());
    failed = true;
    kill(getpid(), SIGTERM);
  };
  PtyServer server(model, pty);
  try {
    server.Start();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvex-sim: %s\n", e.what());
    return 1;
  }
  std::printf("ready %s\n", options.link_path.c_str());
  std::fflush(stdout);

  int signal_number = 0;
  sigwait(&ending, &signal_number);
  server.Stop();
  return failed ? 1 : 0;
}
