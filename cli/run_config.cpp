// config read, write, set-test and test: as the window's "Upload"/"Upl_test", "Down
// test", "Set test" and "Test", with files instead of the configuration pane. The
// bytes move unchanged both ways (the pane would turn every line end into CR LF), so a
// file written and read back is the same file.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "basics/json_text.h"
#include "cli/command_table.h"
#include "cli/operand_file.h"
#include "cli/output_target.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "link/config_transfer.h"
#include "link/frame.h"

namespace tarvex::cli {
namespace {

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

// The names of a transfer's steps in error lines.
struct TransferSteps {
  const char* start;
  const char* block;
  const char* stop;
};
constexpr TransferSteps kRead{"start of the configuration read", "configuration read block", ""};
constexpr TransferSteps kTestRead{"start of the test configuration read", "test configuration read block", ""};
constexpr TransferSteps kWrite{"start of the configuration write", "configuration write block",
                               "stop of the configuration write"};

// Ends the command with the step the transfer failed at and why.
[[noreturn]] void FailTransfer(Session& session, const TransferResult& result, const TransferSteps& steps,
                               std::string_view invalid = "reply not valid") {
  switch (result.failed) {
    case TransferStep::kBlock:
      session.FailStep(steps.block, invalid, static_cast<std::int32_t>(result.block));
    case TransferStep::kStop:
      session.FailStep(steps.stop, invalid);
    default:
      session.FailStep(steps.start, invalid);
  }
}

}  // namespace

ExitStatus RunConfigRead(Session& session) {
  const bool test = session.invocation().Has("--test");
  const auto output = session.invocation().Value("--output");
  OutputTarget* target = output ? &session.Output(*output) : nullptr;
  std::vector<std::uint8_t> text(kConfigTextSize, 0);
  Link& link = session.link();
  // However a read ends short, the blocks that came (the text up to its first 0) are
  // what was read so far; the error the read ended with is the one to tell.
  const auto keep_blocks = [&] {
    if (target == nullptr) return;
    try {
      target->Write({text.begin(), std::ranges::find(text, std::uint8_t{0})});
    } catch (const CliError&) {
    }
  };
  TransferResult result;
  try {
    result = WithProgress(session, std::nullopt, [&] { return test ? UploadTestConfig(link, text) : UploadConfig(link, text); });
  } catch (const CliError&) {
    keep_blocks();
    throw;
  }
  // A valid block can still end the read: one that claims more bytes than came or
  // than fit, or the first one empty.
  if (!result) {
    keep_blocks();
    FailTransfer(session, result, test ? kTestRead : kRead, "block not valid, or the configuration is empty");
  }
  std::string bytes(reinterpret_cast<const char*>(text.data()), static_cast<std::size_t>(result.bytes));
  if (session.invocation().Has("--pretty")) {
    try {
      bytes = IndentJson(bytes);
    } catch (const JsonFaultError& error) {
      throw CliError(kControllerFailed, std::string("the configuration is not well-formed JSON: ") + error.what());
    }
  }
  if (target != nullptr) {
    target->Write(AsBytes(bytes));
  } else {
    session.PrintText(bytes);
  }
  return kDone;
}

ExitStatus RunConfigWrite(Session& session) {
  // The controller's buffer keeps its last byte for the terminating 0.
  const std::string bytes = ReadOperandFile(session.invocation(), kConfigTextSize - 1, "a configuration");
  if (const auto fault = FindJsonFault(bytes); fault && !session.invocation().Has("--force")) {
    throw CliError(kUsage, session.invocation().operands.front() + " is not well-formed JSON: " + fault->Text() +
                               " (--force writes it anyway)");
  }
  // START, the blocks, STOP.
  const int requests = static_cast<int>((bytes.size() + kMaxWriteBlock - 1) / kMaxWriteBlock) + 2;
  Link& link = session.link();
  const TransferResult result =
      WithProgress(session, requests, [&] { return DownloadConfig(link, AsBytes(bytes)); });
  if (!result) FailTransfer(session, result, kWrite);
  return kDone;
}

ExitStatus RunConfigSetTest(Session& session) {
  if (!SetTest(session.link())) session.FailStep("set-test command");
  return kDone;
}

ExitStatus RunConfigTest(Session& session) {
  const std::int32_t verdict = TestConfig(session.link());
  if (verdict == -1) session.FailStep("configuration test");
  if (verdict != 0) {
    const std::string reason = ConfigVerdictText(verdict);
    throw CliError(kControllerFailed, "configuration test: NOT OK = " +
                                          (reason.empty() ? std::to_string(verdict) : reason));
  }
  session.PrintLine("OK");
  return kDone;
}

}  // namespace tarvex::cli
