#include "sim/sim_options.h"

#include <charconv>
#include <stdexcept>

namespace tarvex::sim {
namespace {

template <typename T>
T ParseNumber(const std::string& option, const std::string& text, T min, T max) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      value < min || value > max) {
    throw std::invalid_argument("bad value '" + text + "' for " + option);
  }
  return value;
}

}  // namespace

SimOptions ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions options;
  options.poller.start_delay = std::chrono::milliseconds(2000);
  std::string poll_only;  // the last option that means something in poller mode only
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--help" || option == "-h") {
      options.help = true;
      continue;
    }
    if (option == "--version") {
      options.version = true;
      continue;
    }
    if (option == "--poll") {
      options.poll = true;
      continue;
    }
    if (option == "--strict-baud") {
      options.strict_baud = true;
      continue;
    }
    if (i + 1 >= args.size()) throw std::invalid_argument("missing value for " + option);
    const std::string& value = args[++i];
    if (option == "--link") {
      options.link_path = value;
    } else if (option == "--listen") {
      options.listen = value;
    } else if (option == "--usb-latency") {
      options.usb_latency = std::chrono::milliseconds(ParseNumber<int>(option, value, 1, 255));
    } else if (option == "--baud") {
      options.baud = ParseNumber<std::int32_t>(option, value, 1, 4'000'000);
    } else if (option == "--records") {
      options.model.event_records = ParseNumber<std::size_t>(option, value, 0, 1'000'000);
    } else if (option == "--seed") {
      options.model.seed = ParseNumber<std::uint64_t>(option, value, 0, UINT64_MAX);
    } else if (option == "--block") {
      options.model.read_block_size = ParseNumber<std::size_t>(option, value, 1, 255);
    } else if (option == "--pad") {
      options.model.short_reply_pad = ParseNumber<std::size_t>(option, value, 0, 255);
    } else if (option == "--ident") {
      options.identifier = ParseNumber<std::int32_t>(option, value, INT32_MIN, INT32_MAX);
    } else if (option == "--pressure") {
      options.pressure = ParseNumber<float>(option, value, -1e30f, 1e30f);
    } else if (option == "--verdict") {
      options.verdict = static_cast<std::uint8_t>(ParseNumber<int>(option, value, 0, 255));
    } else if (option == "--poll-count") {
      options.poller.count = ParseNumber<std::size_t>(option, value, 1, 1'000'000);
      poll_only = option;
    } else if (option == "--poll-interval") {
      options.poller.interval = std::chrono::milliseconds(ParseNumber<int>(option, value, 0, 60'000));
      poll_only = option;
    } else if (option == "--poll-day") {
      options.poller.expect.day = ParseNumber<std::int32_t>(option, value, INT32_MIN, INT32_MAX);
      poll_only = option;
    } else if (option == "--poll-start") {
      options.poller.start_delay = std::chrono::milliseconds(ParseNumber<int>(option, value, 0, 3'600'000));
      poll_only = option;
    } else if (option == "--fault") {
      options.faults.push_back(ParseFault(value));
    } else {
      throw std::invalid_argument("unknown option " + option);
    }
  }
  if (!options.help && !options.version && options.link_path.empty() == options.listen.empty()) {
    throw std::invalid_argument("one of --link PATH and --listen HOST:PORT is required");
  }
  if (options.poll && !options.listen.empty()) throw std::invalid_argument("--poll needs --link");
  if (!poll_only.empty() && !options.poll) throw std::invalid_argument(poll_only + " needs --poll");
  if (options.strict_baud && (options.baud == 0 || options.poll)) {
    throw std::invalid_argument("--strict-baud needs --baud and no --poll");
  }
  options.poller.baud = options.baud;
  return options;
}

void ApplySimOptions(const SimOptions& options, ControllerModel& model) {
  for (const Fault& fault : options.faults) model.AddFault(fault);
  if (options.identifier) model.set_identifier(*options.identifier);
  if (options.pressure) model.set_pressure(*options.pressure);
  if (options.verdict) model.set_verdict(*options.verdict);
}

}  // namespace tarvex::sim
