#include "bench/bench_scenarios.h"

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "bench/literal_exchange.h"
#include "bench/literal_pacing_port.h"
#include "bench/stall_watch.h"
#include "link/config_transfer.h"
#include "link/link.h"
#include "log/log_commands.h"
#include "log/log_record.h"
#include "log/log_retrieval.h"
#include "sim/pty/sim_process.h"
#include "testing/counting_port.h"

namespace tarvex::bench {
namespace {

using Seconds = std::chrono::duration<double>;
using SteadyTime = std::chrono::steady_clock::time_point;

// What the silences before `requests` requests add to the wire time.
double SilenceSeconds(std::int32_t baud, int requests) {
  return requests * Seconds(Link::InterFrameGap(baud)).count();
}

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

// The simulator's arguments: its link (unless `extra` has it listen on TCP), the pacing
// at `baud` if `paced`, then `extra`.
std::vector<std::string> SimArgs(std::int32_t baud, bool paced, const std::vector<std::string>& extra) {
  std::vector<std::string> args;
  if (std::find(extra.begin(), extra.end(), "--listen") == extra.end()) {
    args = {"--link", LinkPath("tty-" + std::to_string(baud))};
  }
  if (paced) args.insert(args.end(), {"--baud", std::to_string(baud)});
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

// The link to a running simulator, with its bytes counted and, for the literal
// reader, paced byte by byte.
class BenchLink {
 public:
  // `paced`: the simulator paces its replies at `baud`; else they go out at once (for
  // counting the bytes of a run timed elsewhere).
  BenchLink(Reader reader, std::int32_t baud, const std::vector<std::string>& sim_args, bool paced = true)
      : sim_(TARVEX_SIM_EXECUTABLE, SimArgs(baud, paced, sim_args)), link_(hooks_, RealClock()) {
    // Opened by the link, so that it keeps the inter-frame silence at this rate as the
    // window's link does.
    if (!link_.Open(sim_.link_path(), baud)) throw std::runtime_error("cannot open " + sim_.link_path());
    auto counting = std::make_unique<testing::CountingPort>(std::move(link_.PortHandle));
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
  sim::SimProcess sim_;
  StallWatch watch_;
  TimingHooks hooks_;
  Link link_;
  std::unique_ptr<SerialPort> owner_;
  testing::CountingPort* counting_ = nullptr;
  std::int32_t baud_ = 0;
};

std::string Suffix(Reader reader) { return reader == Reader::kLiteral ? " (literal)" : ""; }

// The window's LOG with "последних" ticked and Beg = `records`, without a pane.
class LastRecords final : public LogRetrievalSink {
 public:
  explicit LastRecords(int records) { boxes_.beg = std::to_string(records); }
  CountBoxes Boxes() override { return boxes_; }
  void Line(std::string_view) override {}

 private:
  CountBoxes boxes_;
};

// Runs `args` (the executable first) with standard output to /dev/null and standard
// error to `err_path`; its exit code, or -1 when a signal ended it.
int RunProcess(const std::vector<std::string>& args, const std::string& err_path) {
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + args.front());
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("lost " + args.front());
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// Counts what the pane gets of a LOG retrieval by the core operation.
class CountingLogSink : public LogRetrievalSink {
 public:
  explicit CountingLogSink(int records) { boxes_.beg = std::to_string(records); }
  CountBoxes Boxes() override { return boxes_; }
  void Line(std::string_view text) override {
    ++lines;
    bytes += text.size();
  }
  int lines = 0;
  std::size_t bytes = 0;

 private:
  // The window's "последних" with the number of records typed.
  CountBoxes boxes_;
};

// The reference: the window's arithmetic with each record read by the per-byte reader.
// Returns the bytes of the pane's lines.
std::size_t LiteralLog(BenchLink& bench, int records) {
  Link& link = bench.link();
  CountBoxes boxes;
  boxes.beg = std::to_string(records);
  const LogRetrievalPlan plan = PlanLogRetrieval(boxes, QueryLogCount(link), QueryLogPointer(link));
  if (plan.count != records) throw std::runtime_error("the simulator holds too few records");
  LogRenderState state;
  std::size_t bytes = 0;
  std::int32_t x = plan.first_index;
  for (std::int32_t i = 0; i < plan.count; ++i, ++x) {
    link.hooks().PumpMessages();
    x = LogRequestIndex(boxes, x);
    const std::size_t n = BuildIndexedRequest(link.TransferFrame, kLogRecordCode, x);
    const std::int32_t length = LiteralExchangeData(bench.counted_port(), link.TransferFrame, n);
    if (length <= 0) throw std::runtime_error("record read failed at " + std::to_string(x));
    bytes += RenderLogRecord({link.TransferFrame.data(), static_cast<std::size_t>(length)}, state).pane_text.size();
  }
  return bytes;
}

Measurement MeasureLog(Reader reader, std::int32_t baud, int records, const SimLine& line) {
  std::vector<std::string> sim_args{"--records", "1500"};
  sim_args.insert(sim_args.end(), line.sim_args.begin(), line.sim_args.end());
  BenchLink bench(reader, baud, sim_args);
  bench.hooks().Start();
  const auto start = std::chrono::steady_clock::now();
  std::size_t bytes = 0;
  if (reader == Reader::kLiteral) {
    bytes = LiteralLog(bench, records);
  } else {
    CountingLogSink sink(records);
    const OperationOutcome outcome = RetrieveLog(bench.link(), sink);
    if (outcome.kind != OutcomeKind::kDone || sink.lines != records) {
      throw std::runtime_error("the retrieval ended early: " + OutcomeText(outcome));
    }
    bytes = sink.bytes;
  }
  Measurement m;
  m.name = "log" + std::to_string(records) + "_" + (line.name.empty() ? "" : line.name + "_") + std::to_string(baud);
  m.seconds = Seconds(std::chrono::steady_clock::now() - start).count();
  m.limit_seconds = bench.WireSeconds();
  if (reader == Reader::kOurs) m.silence_seconds = SilenceSeconds(baud, bench.hooks().requests);
  bench.ReportGaps(m);
  m.detail = std::to_string(records) + " records, " + std::to_string(bytes) + " bytes of lines" + Suffix(reader);
  return m;
}

Measurement MeasureCliLog(std::int32_t baud, int records) {
  const std::vector<std::string> sim_args{"--records", "1500"};
  // The bytes on the wire: the same retrieval in this process, against a simulator
  // with the same records that answers at once.
  double wire_seconds = 0;
  double silence_seconds = 0;
  {
    BenchLink counted(Reader::kOurs, baud, sim_args, false);
    LastRecords sink(records);
    if (RetrieveLog(counted.link(), sink).kind != OutcomeKind::kDone) {
      throw std::runtime_error("the counted log retrieval failed");
    }
    wire_seconds = counted.WireSeconds();
    silence_seconds = SilenceSeconds(baud, counted.hooks().requests);
  }
  sim::SimProcess sim(TARVEX_SIM_EXECUTABLE, SimArgs(baud, true, sim_args));
  const std::filesystem::path folder = std::filesystem::path(LinkPath("cli")).parent_path();
  const std::string file = (folder / "events.log").string();
  const std::string err = (folder / "cli.err").string();
  const auto start = std::chrono::steady_clock::now();
  const int status = RunProcess({TARVEX_CLI_EXECUTABLE, "--port", sim.link_path(), "--baud",
                                 std::to_string(baud), "log", "--last", std::to_string(records), "--file", file},
                                err);
  const double seconds = Seconds(std::chrono::steady_clock::now() - start).count();
  if (status != 0) throw std::runtime_error("tarvex-cli ended with " + std::to_string(status) + ", see " + err);
  Measurement m;
  m.name = "cli_log" + std::to_string(records) + "_" + std::to_string(baud);
  m.seconds = seconds;
  m.limit_seconds = wire_seconds;
  m.silence_seconds = silence_seconds;
  m.detail = "the whole tarvex-cli process, " + std::to_string(std::filesystem::file_size(file)) + " bytes of file";
  std::filesystem::remove(file);
  std::filesystem::remove(err);
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
