// tarvex-bench: retrieval and transfer times against the wire-time limit.
#include <cstdio>
#include <exception>
#include <vector>

#include "bench/bench_scenarios.h"

namespace {

using tarvex::bench::Measurement;
using tarvex::bench::Reader;

struct Target {
  const char* name;
  double max_ratio;
};

void PrintRow(const Measurement& m, const char* reader) {
  std::printf("%-16s %-8s %9.3f %9.3f %7.3f %8.1f  %s\n", m.name.c_str(), reader, m.seconds,
              m.limit_seconds, m.ratio(), m.max_pump_gap_ms, m.detail.c_str());
  std::fflush(stdout);
}

}  // namespace

int main() {
  try {
    std::printf("%-16s %-8s %9s %9s %7s %8s  %s\n", "figure", "reader", "time_s", "limit_s", "ratio",
                "pump_ms", "detail");
    std::vector<Measurement> ours;
    auto run = [&](Measurement m, Measurement literal) {
      PrintRow(m, "ours");
      PrintRow(literal, "literal");
      ours.push_back(m);
    };
    run(tarvex::bench::MeasureLog(Reader::kOurs, 38400, 500),
        tarvex::bench::MeasureLog(Reader::kLiteral, 38400, 40));
    run(tarvex::bench::MeasureLog(Reader::kOurs, 115200, 500),
        tarvex::bench::MeasureLog(Reader::kLiteral, 115200, 40));
    run(tarvex::bench::MeasureConfig(Reader::kOurs, 38400, 20000),
        tarvex::bench::MeasureConfig(Reader::kLiteral, 38400, 2000));
    run(tarvex::bench::MeasureSilentCpu(Reader::kOurs), tarvex::bench::MeasureSilentCpu(Reader::kLiteral));

    // log500_* and config: time over the limit; silent_cpu: CPU share of the wall
    // time; pump_gap: the longest gap between two message pumps over 20 ms.
    const Target targets[] = {{"log500_38400", 1.15}, {"log500_115200", 1.3}, {"config20k_38400", 1.0},
                              {"silent_cpu", 0.02}};
    double max_gap = 0;
    long pumps = 0;
    long late = 0;
    bool all_met = true;
    std::printf("\n");
    for (const auto& m : ours) {
      max_gap = std::max(max_gap, m.max_pump_gap_ms);
      pumps += m.pumps;
      late += m.gaps_over_20ms;
      for (const auto& t : targets) {
        if (m.name == t.name) {
          const bool met = m.ratio() <= t.max_ratio;
          all_met = all_met && met;
          std::printf("%s ratio=%.3f (target <= %.2f: %s)\n", t.name, m.ratio(), t.max_ratio, met ? "met" : "MISSED");
        }
      }
    }
    const bool gap_met = max_gap <= 20.0;
    std::printf("pump_gap ratio=%.3f (longest gap %.1f ms over 20 ms: %s; %ld of %ld pumps came over 20 ms after the one before)\n",
                max_gap / 20.0, max_gap, gap_met ? "met" : "MISSED", late, pumps);
    return all_met && gap_met ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tarvex-bench: %s\n", e.what());
    return 2;
  }
}
