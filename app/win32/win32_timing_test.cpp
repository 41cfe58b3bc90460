// Speed of "LOG" through the Win32 window and of tarvex-cli.exe under wine, against the
// simulators scripts/test-windows --timing puts on COM ports: 500 records paced at 38400
// baud against the wire time with the inter-frame silences, and the window's CPU per
// record over five retrievals of 2000 into one pane. The figures are printed, not
// judged: wine's speed is not the tool's.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/win32/testing/win32_shell.h"
#include "app/win32/win32_view.h"
#include "cli/executable_folder.h"
#include "link/link.h"
#include "testing/counting_port.h"

namespace tarvex {

namespace {

using testing::ComFromEnv;
using testing::Win32Shell;
using Seconds = std::chrono::duration<double>;
constexpr int kBaud = 38400;

double ThreadCpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

// The wire time of `bytes` at the baud rate with the inter-frame silence before each
// of the `requests`.
double WireWithSilences(std::size_t bytes, int requests) {
  return static_cast<double>(bytes) * 10.0 / kBaud + requests * Seconds(Link::InterFrameGap(kBaud)).count();
}

TEST(Win32Timing, FiveHundredRecordsAt38400ThroughTheWindowAndTheCommandLine) {
  const std::string com = ComFromEnv("TARVEX_TEST_PACED_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_PACED_COM names no paced simulator";
  Win32Shell shell(std::nullopt, &RealClock());
  TForm1& form = *shell.form;
  form.Edit1.SetText(com);
  form.Boud.SetText(std::to_string(kBaud));
  shell.Click(form.OpenCom);
  ASSERT_FALSE(form.ok.Hidden());
  auto counting = std::make_unique<testing::CountingPort>(std::move(form.link.PortHandle));
  const auto* counted = counting.get();
  form.link.PortHandle = std::move(counting);
  shell.Click(form.Last500);

  const auto start = std::chrono::steady_clock::now();
  shell.Click(form.ButContLog);
  const double window = Seconds(std::chrono::steady_clock::now() - start).count();
  ASSERT_TRUE(form.Label5.Hidden());
  const std::size_t bytes = counted->written + counted->read;
  const double limit = WireWithSilences(bytes, 2 + 500);
  form.link.Close();

  // The same retrieval by the command line, its process start included.
  const std::string command = (cli::ExecutableFolder().parent_path().parent_path() / "cli" / "tarvex-cli.exe").string() +
                              " --port " + com + " --baud 38400 log --last 500 > NUL";
  const auto cli_start = std::chrono::steady_clock::now();
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const double cli = Seconds(std::chrono::steady_clock::now() - cli_start).count();
  std::printf("LOG 500 at 38400: wire time with the inter-frame silences %.3f s (%zu bytes); tarvex.exe %.3f s, "
              "ratio %.3f; tarvex-cli.exe %.3f s, ratio %.3f\n",
              limit, bytes, window, window / limit, cli, cli / limit);
}

TEST(Win32Timing, FiveRetrievalsOf2000IntoOnePaneCostTheSameCpuEach) {
  const std::string com = ComFromEnv("TARVEX_TEST_BIG_COM");
  if (com.empty()) GTEST_SKIP() << "TARVEX_TEST_BIG_COM names no simulator with 2300 records";
  constexpr int kRecords = 2000;
  Win32Shell shell(std::nullopt, &RealClock());
  TForm1& form = *shell.form;
  form.Edit1.SetText(com);
  form.Boud.SetText(std::to_string(kBaud));
  form.Beg.SetText(std::to_string(kRecords));
  ShowWindow(shell.view.WindowOf(Window::kForm1), SW_SHOW);
  double total = 0;
  for (int run = 1; run <= 5; ++run) {
    const double start = ThreadCpuSeconds();
    shell.Click(form.ButContLog);
    shell.view.FlushPanes();
    const double ms_per_record = (ThreadCpuSeconds() - start) * 1000.0 / kRecords;
    ASSERT_TRUE(form.Label5.Hidden());
    std::printf("run %d: %.3f ms of CPU per record\n", run, ms_per_record);
    total += ms_per_record;
  }
  std::printf("cpu_ms_per_record %.3f\n", total / 5);
}

}  // namespace
}  // namespace tarvex
