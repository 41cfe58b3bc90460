// The measured runs of tarvex-bench.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::bench {

struct Measurement {
  std::string name;
  double seconds = 0;        // measured wall time (silent_cpu: CPU seconds)
  double limit_seconds = 0;  // the limit the ratio is taken against
  // The inter-frame silences the link keeps before its requests, outside the limit.
  double silence_seconds = 0;
  double max_pump_gap_ms = 0;
  // The longest gap less the time in it when the processors the link thread was on
  // ran nothing of ours (without a stall watch, the same as the longest gap).
  double max_own_gap_ms = 0;
  long pumps = 0;               // message pumps during the run
  long gaps_over_20ms = 0;      // of those, how many came more than 20 ms after the one before
  long own_gaps_over_20ms = 0;  // the same with the stalls taken out
  std::string detail;
  double ratio() const { return limit_seconds > 0 ? seconds / limit_seconds : 0; }
};

// How replies are read: by this tool's link, or byte by byte as the literal algorithm.
enum class Reader { kOurs, kLiteral };

// The simulator's line other than the plain pseudo-terminal: a name for the figure and
// the simulator's arguments ({"--listen", "127.0.0.1:0"}, {"--usb-latency", "16"}).
struct SimLine {
  std::string name;
  std::vector<std::string> sim_args;
};

// Count, pointer and `records` record reads against tarvex-sim at `baud`.
Measurement MeasureLog(Reader reader, std::int32_t baud, int records, const SimLine& line = {});
// The whole tarvex-cli process reading the last `records` event records into a file
// against tarvex-sim at `baud`, start-up included; the limit is the wire time of the
// same retrieval.
Measurement MeasureCliLog(std::int32_t baud, int records);
// Writing then reading back a configuration of `bytes` bytes; the limit is the wire
// time plus 60 ms of end-of-reply silence per short-header exchange.
Measurement MeasureConfig(Reader reader, std::int32_t baud, std::size_t bytes);
// CPU time used while the first-byte wait runs out against a silent line.
Measurement MeasureSilentCpu(Reader reader);

}  // namespace tarvex::bench
