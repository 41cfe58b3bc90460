// Command line of tarvex-sim.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/model/controller_model.h"
#include "sim/model/fault.h"
#include "sim/poll/poller_options.h"

namespace tarvex::sim {

inline constexpr const char* kSimUsage =
    "Usage: tarvex-sim (--link PATH | --listen HOST:PORT) [OPTIONS]\n"
    "  or:  tarvex-sim --link PATH --poll [POLL OPTIONS] [--baud N]\n"
    "  or:  tarvex-sim --version\n"
    "\n"
    "Options:\n"
    "  --link PATH         symbolic link to the pseudo-terminal the tool opens\n"
    "  --listen HOST:PORT  a TCP port instead (IPv4 HOST; PORT 0: a free one), for the\n"
    "                      tool's tcp://HOST:PORT; the ready line names the port\n"
    "  --baud N            pace replies (with --poll: requests) at N baud (10 bits per\n"
    "                      byte); default: at once\n"
    "  --strict-baud       answer only while the tool's side of the terminal is set to\n"
    "                      --baud: a request sent at another rate is line noise, no reply\n"
    "  --usb-latency MS    hold replies as a USB serial adapter does: in packets of 62\n"
    "                      bytes, each sent when full or MS after its first byte\n"
    "  --records N         event log records at start (default 300; over 2000 wraps the\n"
    "                      ring)\n"
    "  --seed N            seed of the default data (default 1)\n"
    "  --block N           text bytes per configuration read block, 1..255 (default 40)\n"
    "  --pad N             short-header replies shorter than N bytes, 0..255, get 0 bytes\n"
    "                      before their checksum up to N (default 0: none)\n"
    "  --ident N           identifier answered to command 44\n"
    "  --pressure X        pressure answered to command 45\n"
    "  --verdict N         verdict answered to command 55 (default 0)\n"
    "  --fault FAULT       TARGET:KIND[=MS][:after=K][:count=N]; TARGET long:CODE,\n"
    "                      short:CODE, block:16, block:17 or text; KIND silence,\n"
    "                      bad-header-crc, bad-packet-crc, pause[=MS] (200) or\n"
    "                      hangup[=MS] (500)\n"
    "  --poll              be the controller that polls the tool's responder\n"
    "  --poll-count N      polls to send (default 8)\n"
    "  --poll-interval MS  time between polls (default 50)\n"
    "  --poll-day N        day expected in the answers to function 1 (default 28)\n"
    "  --poll-start MS     wait after the tool opened the port (default 2000)\n";

struct SimOptions {
  std::string link_path;
  std::string listen;     // "HOST:PORT" instead of link_path
  std::int32_t baud = 0;  // 0: no pacing
  std::chrono::milliseconds usb_latency{0};  // 0: no adapter
  bool strict_baud = false;
  ModelOptions model;
  std::vector<Fault> faults;
  std::optional<std::int32_t> identifier;
  std::optional<float> pressure;
  std::optional<std::uint8_t> verdict;
  bool poll = false;  // poller mode
  PollerOptions poller;  // the command line's start delay is 2 s: time to press "Start"
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. Throws std::invalid_argument naming the
// bad argument.
SimOptions ParseSimOptions(const std::vector<std::string>& args);

// Puts the faults and values of `options` into `model`.
void ApplySimOptions(const SimOptions& options, ControllerModel& model);

}  // namespace tarvex::sim
