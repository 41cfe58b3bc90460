// tarvex-sim: the simulated controller on a pseudo-terminal or a TCP port, until SIGTERM
// or SIGINT; or, with --poll, the controller polling the tool's responder, until the
// polls are done.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "basics/version.h"
#include "sim/model/controller_model.h"
#include "sim/poll/pty_poller.h"
#include "sim/pty/pty_server.h"
#include "sim/sim_options.h"

namespace {

using namespace tarvex::sim;

// Runs `open` (the server's or the poller's) and reports "ready" and `address()` on
// standard output;
// false, with the reason on standard error, when it throws.
template <typename Open, typename Address>
bool OpenAndReportReady(Open open, Address address) {
  try {
    open();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvex-sim: %s\n", e.what());
    return false;
  }
  std::printf("ready %s\n", address().c_str());
  std::fflush(stdout);
  return true;
}

int Serve(const SimOptions& options, sigset_t& ending) {
  ControllerModel model(options.model);
  ApplySimOptions(options, model);

  std::atomic<bool> failed{false};
  PtyOptions pty;
  pty.link_path = options.link_path;
  pty.listen = options.listen;
  pty.baud = options.baud;
  pty.usb_latency = options.usb_latency;
  pty.strict_baud = options.strict_baud;
  pty.on_failure = [&failed](const std::string& why) {
    std::fprintf(stderr, "tarvex-sim: line lost: %s\n", why.c_str());
    failed = true;
    kill(getpid(), SIGTERM);
  };
  PtyServer server(model, pty);
  // The ready line names what the tool opens: the link, or the TCP port listened on.
  if (!OpenAndReportReady([&server] { server.Start(); }, [&server] { return server.link_path(); })) return 1;

  int signal_number = 0;
  sigwait(&ending, &signal_number);
  server.Stop();
  return failed ? 1 : 0;
}

// Exit code 0 when every poll passed.
int Poll(const SimOptions& options, sigset_t& ending) {
  PtyPoller poller(options.link_path, options.poller);
  if (!OpenAndReportReady([&poller] { poller.Open(); }, [&options] { return options.link_path; })) return 1;

  std::thread signals([&] {
    int signal_number = 0;
    sigwait(&ending, &signal_number);
    poller.Cancel();
  });
  PollReport report;
  if (poller.WaitForDevice()) report = poller.Run(std::cout);
  pthread_kill(signals.native_handle(), SIGTERM);
  signals.join();
  return report.passed() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
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
  if (options.version) {
    std::printf("tarvex-sim %s\n", tarvex::kVersion);
    return 0;
  }

  // The signals that end the simulator are taken by sigwait; the other threads inherit
  // the mask, so none of them is interrupted.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  sigaddset(&ending, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);
  signal(SIGPIPE, SIG_IGN);

  return options.poll ? Poll(options, ending) : Serve(options, ending);
}
