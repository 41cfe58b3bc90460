#include "bench/bench_scenarios.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "bench/literal_exchange.h"
#include "bench/literal_pacing_port.h"
#include "bench/stall_watch.h"
#include "link/config_transfer.h"
#include "link/link.h"
#include "log/log_commands.h"
#include "log/log_record.h"
#include "sim/pty/sim_process.h"
#include "testing/counting_port.h"

namespace tarvex::bench {
namespace {

using Seconds = std::chrono::duration<double>;
using SteadyTime = std::chrono::steady_clock::time_point;

// Notes the gaps between two message pumps, as the window would see them.
class TimingHooks final : public LinkHooks {
 public:
  void Start() {
    last_ = std::chrono::steady_clock::now();
    last_cpu_ = ::sched_getcpu();
    long_gaps_.clear();
    pumps_ = 0;
  }
  void PumpMessages() override {
    const auto now = std::chrono::steady_clock::now();
    const int cpu = ::sched_getcpu();
    if (now - last_ > kNoted) long_gaps_.push_back({last_, now, last_cpu_, cpu});
    ++pumps_;
    last_ = now;
    last_cpu_ = cpu;
  }
  void RequestWritten() override { ++requests; }
  int requests = 0;

  // The gap figures of the run; `watch` (if any) tells which parts the machine stalled.
  void Report(Measurement& m, const StallWatch* watch) const {
    using Ms = std::chrono::duration<double, std::milli>;
    m.pumps = pumps_;
    for (const Gap& g : long_gaps_) {
      const auto gap = g.to - g.from;
      const auto own = gap - (watch ? watch->StalledWithin(g.from, g.to, g.cpu_from, g.cpu_to)
                                    : SteadyTime::duration{});
      m.max_pump_gap_ms = std::max(m.max_pump_gap_ms, Ms(gap).count());
      m.max_own_gap_ms = std::max(m.max_own_gap_ms, Ms(own).count());
      if (gap > kLate) ++m.gaps_over_20ms;
      if (own > kLate) ++m.own_gaps_over_20ms;
    }
  }

 private:
  static constexpr auto kNoted = std::chrono::milliseconds(2);
  static constexpr auto kLate = std::chrono::milliseconds(20);
  // A gap, with the processors the thread was on when it began and when it ended.
  struct Gap {
    SteadyTime from;
    SteadyTime to;
    int cpu_from;
    int cpu_to;
  };
  SteadyTime last_{};
  int last_cpu_ = -1;
  long pumps_ = 0;
  std::vector<Gap> long_gaps_;
};

std::string LinkPath(const std::string& name) {
  return "/tmp/tarvex-bench-" + std::to_string(::getpid()) + "/" + name;
}

// The link to a running simulator, with its bytes counted and, for the literal
// reader, paced byte by byte.
class BenchLink {
 public:
  BenchLink(Reader reader, std::int32_t baud, const std::vector<std::string>& sim_args)
      : sim_(TARVEX_SIM_EXECUTABLE, Args(baud, sim_args)), link_(hooks_, RealClock()) {
    auto port = OpenPort(sim_.link_path(), baud);
    if (!port) throw std::runtime_error("cannot open " + sim_.link_path());
    auto counting = std::make_unique<testing::CountingPort>(std::move(port));
    counting_ = counting.get();
    if (reader == Reader::kLiteral) {
      owner_ = std::move(counting);
      link_.PortHandle = std::make_unique<LiteralPacingPort>(*owner_);
    } else {
      link_.PortHandle = std::move(counting);
    }
    baud_ = baud;
  }

  Link& link() { return link_; }
  SerialPort& counted_port() { return *counting_; }
  TimingHooks& hooks() { return hooks_; }
  // Ends the run's watch and fills in its pump-gap figures.
  void ReportGaps(Measurement& m) {
    watch_.Stop();
    hooks_.Report(m, &watch_);
  }
  double WireSeconds() const {
    return static_cast<double>(counting_->written + counting_->read) * 10.0 / baud_;
  }

 private:
  static std::vector<std::string> Args(std::int32_t baud, const std::vector<std::string>& extra) {
    std::vector<std::string> args{"--link", LinkPath("tty-" + std::to_string(baud)), "--baud",
                                  std::to_string(baud)};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  sim::SimProcess sim_;
  StallWatch watch_;
  TimingHooks hooks_;
  Link link_;
  std::unique_ptr<SerialPort> owner_;
  testing::CountingPort* counting_ = nullptr;
  std::int32_t baud_ = 0;
};

std::string Suffix(Reader reader) { return reader == Reader::kLiteral ? " (literal)" : ""; }

}  // namespace

Measurement MeasureLog(Reader reader, std::int32_t baud, int records) {
  BenchLink bench(reader, baud, {"--records", "1500"});
  Link& link = bench.link();
  bench.hooks().Start();
  const auto start = std::chrono::steady_clock::now();
  const std::int32_t count = QueryLogCount(link);
  const std::int32_t pointer = QueryLogPointer(link);
  // The window's own arithmetic: the last `records` records, "последних" ticked.
  CountBoxes boxes;
  boxes.beg = std::to_string(records);
  const LogRetrievalPlan plan = PlanLogRetrieval(boxes, count, pointer);
  if (plan.count != records) throw std::runtime_error("the simulator holds too few records");
  LogRenderState state;
  std::size_t rendered_bytes = 0;
  std::int32_t x = plan.first_index;
  for (std::int32_t i = 0; i < plan.count; ++i, ++x) {
    link.hooks().PumpMessages();
    x = LogRequestIndex(boxes, x);
    std::int32_t length = 0;
    if (reader == Reader::kLiteral) {
      const std::size_t n = BuildIndexedRequest(link.TransferFrame, kLogRecordCode, x);
      length = LiteralExchangeData(bench.counted_port(), link.TransferFrame, n);
    } else {
      length = ReadLogRecord(link, x);
    }
    if (length <= 0) throw std::runtime_error("record read failed at " + std::to_string(x));
    rendered_bytes += RenderLogRecord({link.TransferFrame.data(), static_cast<std::size_t>(length)}, state)
                          .file_bytes.size();
  }
  Measurement m;
  m.name = "log" + std::to_string(records) + "_" + std::to_string(baud);
  m.seconds = Seconds(std::chrono::steady_clock::now() - start).count();
  m.limit_seconds = bench.WireSeconds();
  bench.ReportGaps(m);
  m.detail = std::to_string(records) + " records, " + std::to_string(rendered_bytes) +
             " bytes of lines" + Suffix(reader);
  return m;
}

Measurement MeasureConfig(Reader reader, std::int32_t baud, std::size_t bytes) {
  BenchLink bench(reader, baud, {});
  Link& link = bench.link();
  std::vector<std::uint8_t> text(bytes);
  for (std::size_t i = 0; i < bytes; ++i) text[i] = static_cast<std::uint8_t>(i % 64 == 63 ? '\n' : 0xC0 + i % 32);
  bench.hooks().Start();
  const auto start = std::chrono::steady_clock::now();
  if (!DownloadConfig(link, text)) throw std::runtime_error("configuration write failed");
  std::vector<std::uint8_t> back(kConfigTextSize, 0);
  const std::int32_t got = UploadConfig(link, back).bytes;
  if (got != static_cast<std::int32_t>(bytes) || !std::equal(text.begin(), text.end(), back.begin())) {
    throw std::runtime_error("configuration read back differs");
  }
  Measurement m;
  m.name = "config" + std::to_string(bytes / 1000) + "k_" + std::to_string(baud);
  m.seconds = Seconds(std::chrono::steady_clock::now() - start).count();
  m.limit_seconds = bench.WireSeconds() + 0.060 * bench.hooks().requests;
  bench.ReportGaps(m);
  m.detail = std::to_string(bench.hooks().requests) + " short-header exchanges, wire " +
             std::to_string(bench.WireSeconds()).substr(0, 5) + " s" + Suffix(reader);
  return m;
}

Measurement MeasureSilentCpu(Reader reader) {
  // A line nobody answers: the far end of a pseudo-terminal left alone.
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
    throw std::runtime_error("no pseudo-terminal");
  }
  TimingHooks hooks;
  Link link(hooks, RealClock());
  auto port = OpenPort(::ptsname(master), 38400);
  if (!port) throw std::runtime_error("cannot open the pseudo-terminal");
  std::unique_ptr<SerialPort> inner;
  if (reader == Reader::kLiteral) {
    inner = std::move(port);
    link.PortHandle = std::make_unique<LiteralPacingPort>(*inner);
  } else {
    link.PortHandle = std::move(port);
  }
  rusage before{};
  rusage after{};
  ::getrusage(RUSAGE_SELF, &before);
  hooks.Start();
  const auto start = std::chrono::steady_clock::now();
  const std::int32_t value = link.ExchangeWordCommand(kLogCountCode);
  const double wall = Seconds(std::chrono::steady_clock::now() - start).count();
  ::getrusage(RUSAGE_SELF, &after);
  ::close(master);
  auto cpu = [](const rusage& r) {
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
  };
  Measurement m;
  m.name = "silent_cpu";
  m.seconds = cpu(after) - cpu(before);
  m.limit_seconds = wall;
  hooks.Report(m, nullptr);
  m.detail = "CPU over " + std::to_string(wall).substr(0, 5) + " s of waiting, reply " +
             std::to_string(value) + Suffix(reader);
  return m;
}

}  // namespace tarvex::bench
