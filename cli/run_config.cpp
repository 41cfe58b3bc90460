// config read, write, set-test and test: as the window's "Upload"/"Upl_test", "Down
// test", "Set test" and "Test", with files instead of the configuration pane. The
// bytes move unchanged both ways (the pane would turn every line end into CR LF), so a
// file written and read back is the same file.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "basics/file_bytes.h"
#include "cli/command_table.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "link/config_transfer.h"
#include "link/frame.h"

namespace tarvex::cli {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Progress per reply for the time `run` takes, when standard error is a terminal.
template <typename Run>
auto WithProgress(Session& session, std::optional<int> total, Run run) {
  const Environment& environment = session.environment();
  Progress progress(environment.err, environment.err_is_terminal, environment.clock, total, "requests");
  session.hooks().SetProgress(&progress);
  auto result = run();
  session.hooks().SetProgress(nullptr);
  return result;
}

// The step of a transfer that failed, as the transfer reports it.
std::string FailedStep(const TransferResult& result, std::string_view transfer) {
  const std::string name(transfer);
  switch (result.failed) {
    case TransferStep::kStart: return "the start of the " + name;
    case TransferStep::kBlock: return "block " + std::to_string(result.block) + " of the " + name;
    case TransferStep::kStop: return "the stop of the " + name;
    default: return "the " + name;
  }
}

}  // namespace

ExitStatus RunConfigRead(Session& session) {
  const bool test = session.invocation().Has("--test");
  std::vector<std::uint8_t> text(kConfigTextSize, 0);
  Link& link = session.link();
  const TransferResult result = WithProgress(session, std::nullopt, [&] {
    return test ? UploadTestConfig(link, text) : UploadConfig(link, text);
  });
  if (!result) {
    session.FailStep(FailedStep(result, test ? "test configuration read" : "configuration read"),
                     "reply not valid, or the configuration is empty");
  }
  const std::int32_t length = result.bytes;
  const std::string_view bytes(reinterpret_cast<const char*>(text.data()), static_cast<std::size_t>(length));
  if (const auto output = session.invocation().Value("--output")) {
    if (!WriteFileBytes(*output, Bytes(bytes))) throw CliError(kUsage, "cannot write " + *output);
  } else {
    session.PrintText(bytes);
  }
  return kDone;
}

ExitStatus RunConfigWrite(Session& session) {
  const std::string& path = session.invocation().operands.front();
  const auto bytes = ReadFileBytes(path);
  if (!bytes) throw CliError(kUsage, "cannot read " + path);
  if (bytes->empty()) throw CliError(kUsage, path + " is empty");
  if (bytes->size() >= kConfigTextSize) {
    throw CliError(kUsage, path + " holds " + std::to_string(bytes->size()) +
                               " bytes; a configuration has room for " + std::to_string(kConfigTextSize - 1));
  }
  // START, the blocks, STOP.
  const int requests = static_cast<int>((bytes->size() + kMaxWriteBlock - 1) / kMaxWriteBlock) + 2;
  Link& link = session.link();
  const TransferResult result =
      WithProgress(session, requests, [&] { return DownloadConfig(link, Bytes(*bytes)); });
  if (!result) session.FailStep(FailedStep(result, "configuration write"));
  return kDone;
}

ExitStatus RunConfigSetTest(Session& session) {
  if (!SetTest(session.link())) session.FailStep("the set-test command");
  return kDone;
}

ExitStatus RunConfigTest(Session& session) {
  const std::int32_t verdict = TestConfig(session.link());
  if (verdict == -1) session.FailStep("the configuration test");
  if (verdict != 0) {
    const std::string reason = ConfigVerdictText(verdict);
    throw CliError(kControllerFailed, "configuration test: NOT OK = " +
                                          (reason.empty() ? std::to_string(verdict) : reason));
  }
  session.PrintLine("OK");
  return kDone;
}

}  // namespace tarvex::cli
