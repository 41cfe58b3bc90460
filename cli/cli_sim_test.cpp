// tarvex-cli against the simulated controller on a pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <sstream>
#include <thread>

#include "archive/archive_retrieval.h"
#include "basics/file_bytes.h"
#include "cli/cli_run_testing.h"
#include "sim/model/default_data.h"
#include "sim/model/fault.h"
#include "sim/poll/field_polls.h"
#include "sim/poll/pty_poller.h"
#include "sim/pty/pty_server.h"
#include "testing/fast_clock.h"
#include "testing/log_file.h"
#include "testing/scratch_folder.h"

namespace tarvex::cli {
namespace {

using testing::RunCli;

class CliAgainstSim : public ::testing::Test {
 protected:
  CliAgainstSim() : server_(model_, Options(folder_)) { server_.Start(); }
  ~CliAgainstSim() override { server_.Stop(); }

  std::vector<std::string> On(std::vector<std::string> words) {
    words.insert(words.begin(), {"--port", server_.link_path()});
    return words;
  }
  std::filesystem::path Scratch(const char* name) const { return folder_.path() / name; }

  static sim::PtyOptions Options(const tarvex::testing::ScratchFolder& folder) {
    sim::PtyOptions options;
    options.link_path = (folder.path() / "tty").string();
    return options;
  }

  std::string ExpectedLogFile(std::int32_t first, std::int32_t n) {
    std::string file;
    server_.WithModel([&](sim::ControllerModel& model) { file = sim::ExpectedLogFile(model, 300, first, n); });
    return file;
  }

  tarvex::testing::ScratchFolder folder_{"cli-sim"};
  sim::ControllerModel model_;
  sim::PtyServer server_;
};

TEST_F(CliAgainstSim, PrintsValuesWithThePortOfTheSettingsFile) {
  // Installed: the user's file first, the log.log beside the executable for the rest.
  tarvex::testing::PutFile(Scratch("user.log"), "[log]\r\nbaud=38400\r\n");
  tarvex::testing::PutFile(Scratch("log.log"), "[log]\r\nport=" + server_.link_path() + "\r\nbaud=fast\r\n");
  auto result = RunCli({"log-count"}, RealClock(), {Scratch("user.log"), Scratch("log.log")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "300\n");
  EXPECT_EQ(result.err, "");
  result = RunCli(On({"pressure"}));
  EXPECT_EQ(result.out, "5.37\n");
  EXPECT_EQ(RunCli(On({"log-clear", "--yes"})).status, 0);
  EXPECT_EQ(RunCli(On({"log-count"})).out, "0\n");
}

TEST_F(CliAgainstSim, UsageErrorsEndWithStatus2AndTheirReason) {
  const struct {
    std::vector<std::string> words;
    std::string err;
  } cases[] = {
      {On({"--baud", "fast", "log-count"}), "tarvex-cli: --baud: 'fast' is not a valid integer value\n"},
      {On({"--baud", "12345", "log-count"}),
       "tarvex-cli: cannot open " + server_.link_path() + ": baud rate 12345 is not supported\n"},
      {On({"log-cuont"}), "tarvex-cli: unknown command 'log-cuont' (tarvex-cli --help lists the commands)\n"},
      {On({"config", "write"}), "tarvex-cli: config write needs FILE\n"},
      {On({"log", "--append", "events.log", "--index", "3"}), "tarvex-cli: --append and --index exclude each other\n"},
      // Nobody could answer the question on a pipe.
      {On({"log-clear"}), "tarvex-cli: log-clear asks first, and standard input is no terminal: add --yes\n"},
  };
  for (const auto& c : cases) {
    const auto result = RunCli(c.words);
    EXPECT_EQ(result.status, 2) << c.err;
    EXPECT_EQ(result.err, c.err);
  }
  server_.WithModel([](sim::ControllerModel& model) { EXPECT_EQ(model.event_log().count(), 300); });
}

TEST_F(CliAgainstSim, LastTakesZeroAndRefusesBelowZeroBeforeAnyRequest) {
  for (const char* command : {"log", "archive"}) {
    const auto result = RunCli(On({command, "--last", "0"}));
    EXPECT_EQ(result.status, 0) << command << ": " << result.err;
    EXPECT_EQ(result.err, "");
  }
  // Were a request sent, the silent controller would end the command with status 1.
  server_.WithModel([](sim::ControllerModel& model) {
    model.AddFault(sim::ParseFault("long:28:silence"));
    model.AddFault(sim::ParseFault("long:91:silence"));
  });
  tarvex::testing::FastClock clock(100);
  for (const char* command : {"log", "archive"}) {
    const auto result = RunCli(On({command, "--last", "-1"}), clock);
    EXPECT_EQ(result.status, 2) << command;
    EXPECT_EQ(result.err, "tarvex-cli: --last -1: a count cannot be below 0\n");
  }
}

TEST_F(CliAgainstSim, APortThatCannotBeOpenedEndsWithStatus3AndTheReason) {
  const auto result = RunCli({"--port", Scratch("ttyUSB9").string(), "ident"});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err, "tarvex-cli: cannot open " + Scratch("ttyUSB9").string() + ": no such file or directory\n");
}

TEST_F(CliAgainstSim, AFailedQueryEndsWithStatus1AndItsReason) {
  server_.WithModel([](sim::ControllerModel& model) {
    model.AddFault(sim::ParseFault("long:44:silence"));
    model.AddFault(sim::ParseFault("long:28:bad-packet-crc"));
  });
  tarvex::testing::FastClock clock(100);
  auto result = RunCli(On({"ident"}), clock);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tarvex-cli: no reply to the ident query\n");
  // A malformed reply is no count of 0.
  result = RunCli(On({"log-count"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "tarvex-cli: count query: reply checksum wrong\n");
}

TEST_F(CliAgainstSim, LogWritesTheWindowsFileAndPrintsThePanesLines) {
  auto result = RunCli(On({"log", "--last", "120", "--file", Scratch("events.log").string()}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out + result.err, "");
  EXPECT_EQ(ReadFileBytes(Scratch("events.log")), ExpectedLogFile(180, 120));
  // Without a file the lines come out in UTF-8, one terminal line per pane line.
  result = RunCli(On({"log", "--index", "299"}));
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1) << result.out;
  EXPECT_NE(result.out.find("\xD0"), std::string::npos) << result.out;
}

TEST_F(CliAgainstSim, LogAppendAddsEachNightsRecordsAndSaysWhenTheLogWasClearedOrOverrun) {
  const auto records = sim::DefaultEventRecords(5000, 1);
  std::size_t written = 300;
  const auto add = [&](std::size_t n) {
    server_.WithModel([&](sim::ControllerModel& model) {
      for (const std::size_t end = written + n; written < end;) model.event_log().Append(records[written++]);
    });
  };
  // The file of the records, its pointer line `line`.
  const auto section = [&](const std::string& line, std::int32_t pointer, std::int32_t first, std::int32_t n) {
    std::string file;
    server_.WithModel([&](sim::ControllerModel& model) { file = sim::ExpectedLogFile(model, pointer, first, n); });
    return line + file.substr(file.find("\r\n") + 2);
  };
  const auto path = Scratch("events.log");
  const auto night = [&] {
    const auto result = RunCli(On({"log", "--append", path.string(), "--last", "100"}));
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    return ReadFileBytes(path).value_or("");
  };
  add(1650);
  std::string expected = section("pointer = 1950\r\n", 1950, 1850, 100);
  EXPECT_EQ(night(), expected) << "a first run is --file's";
  add(30);
  expected += section("pointer = 1980\r\n", 1980, 1950, 30);
  EXPECT_EQ(night(), expected);
  EXPECT_EQ(night(), expected) << "nothing new";
  add(50);
  expected += section("pointer = 30\r\n", 30, 1980, 50);
  EXPECT_EQ(night(), expected) << "across the ring's end";
  add(2100);
  expected += section("pointer = 130 (more records were written than the log holds: some are missing)\r\n", 130,
                      130 - 2000, 2000);
  EXPECT_EQ(night(), expected);
  EXPECT_EQ(RunCli(On({"log-clear", "--yes"})).status, 0);
  add(20);
  expected += section("pointer = 20 (the log was cleared)\r\n", 20, 0, 20);
  EXPECT_EQ(night(), expected) << "the pointer went back";
  // Cleared and filled past the file's last record: only that record tells.
  EXPECT_EQ(RunCli(On({"log-clear", "--yes"})).status, 0);
  add(40);
  expected += section("pointer = 40 (the log was cleared)\r\n", 40, 0, 40);
  EXPECT_EQ(night(), expected);
  EXPECT_FALSE(std::filesystem::exists(Scratch("events.log.partial")));
}

TEST_F(CliAgainstSim, AFailedRunLeavesTheEarlierFileAndKeepsTheRecordsReadInPartial) {
  server_.WithModel(
      [](sim::ControllerModel& model) { model.AddFault(sim::ParseFault("long:26:bad-packet-crc:after=4:count=1")); });
  tarvex::testing::PutFile(Scratch("events.log"), "last night's export");
  const auto partial = Scratch("events.log.partial");
  const auto result = RunCli(On({"log", "--file", Scratch("events.log").string()}));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "tarvex-cli: record 274: reply checksum wrong; " + partial.string() + " keeps what was read\n");
  EXPECT_EQ(ReadFileBytes(Scratch("events.log")), "last night's export");
  EXPECT_EQ(ReadFileBytes(partial), ExpectedLogFile(270, 4));
}

TEST_F(CliAgainstSim, AFileThatCannotBeWrittenEndsWithStatus4AndHowManyRecordsReachedIt) {
  for (const char* command : {"log", "archive"}) {
    const auto result = RunCli(On({command, "--last", "3", "--file", "/dev/full"}));
    EXPECT_EQ(result.status, 4) << command;
    EXPECT_EQ(result.err, "tarvex-cli: cannot write /dev/full: no space left on device; 0 of 3 records reached it\n");
  }
}

TEST_F(CliAgainstSim, AnOutputThatCannotBeWrittenFailsBeforeTheFirstRequest) {
  // Were a request sent, the silent controller would end the command with status 1.
  server_.WithModel([](sim::ControllerModel& model) {
    model.AddFault(sim::ParseFault("short:61:silence"));
    model.AddFault(sim::ParseFault("long:14:silence"));
  });
  tarvex::testing::FastClock clock(100);
  auto result = RunCli(On({"config", "read", "--output", folder_.path().string()}), clock);
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "tarvex-cli: cannot write " + folder_.path().string() + ": it is a folder\n");
  const auto missing = Scratch("missing") / "script.scr";
  result = RunCli(On({"script", "get", missing.string()}), clock);
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "tarvex-cli: cannot write " + missing.string() + ".partial: no such file or directory\n");
}

TEST(CliLogStop, CtrlCKeepsEveryRecordReadAndSaysInterrupted) {
  // Replies paced at 19200 baud: 200 records take more than a second.
  const tarvex::testing::ScratchFolder folder("cli-stop");
  sim::ControllerModel model;
  sim::PtyServer server(model, {.link_path = (folder.path() / "tty").string(), .baud = 19200});
  server.Start();
  const auto expected = [&](std::int32_t n) {
    std::string file;
    server.WithModel([&](sim::ControllerModel& m) { file = sim::ExpectedLogFile(m, 300, 100, n); });
    return file;
  };
  const auto path = folder.path() / "events.log";
  const auto partial = folder.path() / "events.log.partial";
  const std::size_t five = expected(5).size();
  std::atomic<bool> stop{false};
  std::thread ctrl_c([&] {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (std::error_code error; std::chrono::steady_clock::now() < give_up;) {
      const auto size = std::filesystem::file_size(partial, error);
      if (!error && size >= five) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stop = true;
  });
  const auto result = RunCli({"--port", server.link_path(), "log", "--last", "200", "--file", path.string()},
                             RealClock(), testing::kNoSettings, stop);
  ctrl_c.join();
  EXPECT_EQ(result.status, 130);
  int read = 0;
  ASSERT_EQ(std::sscanf(result.err.c_str(), "tarvex-cli: interrupted after %d of 200", &read), 1) << result.err;
  EXPECT_TRUE(read >= 5 && read < 200) << read;
  EXPECT_EQ(result.err, "tarvex-cli: interrupted after " + std::to_string(read) + " of 200 records; " +
                            partial.string() + " keeps what was read\n");
  EXPECT_EQ(ReadFileBytes(partial), expected(read));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(CliAgainstSim, ArchiveWritesTheFileOfTheCoreRetrieval) {
  // The PC's clock 5 hours ahead of UTC.
  struct FiveHoursAhead final : WallClock {
    WallTime Now() override { return {{14, 0, 0}, {9, 0, 0}}; }
  } wall_clock;
  const auto result = RunCli(On({"archive", "--last", "50", "--file", Scratch("cli.ret").string()}), RealClock(),
                             testing::kNoSettings, std::atomic<bool>(false), wall_clock);
  EXPECT_EQ(result.status, 0) << result.err;
  struct Last50 final : ArchiveRetrievalSink {
    explicit Last50(std::filesystem::path path) : path_(std::move(path)) {}
    CountBoxes Boxes() override { return {.beg = "50"}; }
    std::optional<std::filesystem::path> OutputPath() override { return path_; }
    void Line(std::string_view) override {}
    std::filesystem::path path_;
  } sink(Scratch("core.ret"));
  LinkHooks hooks;
  Link link(hooks, RealClock());
  ASSERT_TRUE(link.Open(server_.link_path(), 38400));
  RetrieveArchive(link, sink, wall_clock.Now());
  EXPECT_EQ(ReadFileBytes(Scratch("cli.ret")), ReadFileBytes(Scratch("core.ret")));
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 0);
}

TEST_F(CliAgainstSim, AScriptSentComesBackTheSame) {
  const std::string script = "\x01\x00\xCA\r\nend";
  WriteFileBytes(Scratch("in.scr"), {reinterpret_cast<const std::uint8_t*>(script.data()), script.size()});
  EXPECT_EQ(RunCli(On({"script", "send", Scratch("in.scr").string()})).status, 0);
  EXPECT_EQ(RunCli(On({"script", "get", Scratch("out.scr").string()})).status, 0);
  EXPECT_EQ(ReadFileBytes(Scratch("out.scr")), script);
}

TEST_F(CliAgainstSim, AConfigurationWrittenAndReadBackIsTheSameFile) {
  // Code page 1251 text ("Котёл"), CR LF and a lone LF.
  const std::string text = "{\"name\":\"\xCA\xEE\xF2\xB8\xEB\",\r\n\"n\":1}\n";
  const auto bytes = [](const std::string& s) {
    return std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  WriteFileBytes(Scratch("in.cfg"), bytes(text));
  EXPECT_EQ(RunCli(On({"config", "write", Scratch("in.cfg").string()})).status, 0);
  EXPECT_EQ(RunCli(On({"config", "read", "--output", Scratch("out.cfg").string()})).status, 0);
  EXPECT_EQ(ReadFileBytes(Scratch("out.cfg")), text);
  EXPECT_EQ(RunCli(On({"config", "read"})).out, "{\"name\":\"Котёл\",\r\n\"n\":1}\n");
}

TEST_F(CliAgainstSim, ConfigWriteRefusesTextThatIsNoJsonUnlessForcedAndReadIndentsIt) {
  const auto configuration = [&] {
    std::vector<std::uint8_t> bytes;
    server_.WithModel([&](sim::ControllerModel& model) { bytes = model.config().configuration(); });
    return bytes;
  };
  const auto before = configuration();
  // "Котёл", then a comma before the closing brace.
  const std::string text = "{\"name\":\"\xCA\xEE\xF2\xB8\xEB\",\r\n\"n\":1,}";
  WriteFileBytes(Scratch("in.cfg"), {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  auto result = RunCli(On({"config", "write", Scratch("in.cfg").string()}));
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "tarvex-cli: " + Scratch("in.cfg").string() +
                            " is not well-formed JSON: line 2, column 7: syntax error while parsing object key - "
                            "unexpected '}'; expected string literal (--force writes it anyway)\n");
  EXPECT_EQ(configuration(), before) << "nothing was sent";
  EXPECT_EQ(RunCli(On({"config", "write", "--force", Scratch("in.cfg").string()})).status, 0);
  result = RunCli(On({"config", "read", "--pretty"}));
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err.substr(0, 74),
            "tarvex-cli: the configuration is not well-formed JSON: line 2, column 7: s");
  const std::string valid = "{\"name\":\"\xCA\xEE\xF2\xB8\xEB\",\"n\":[1]}";
  WriteFileBytes(Scratch("in.cfg"), {reinterpret_cast<const std::uint8_t*>(valid.data()), valid.size()});
  EXPECT_EQ(RunCli(On({"config", "write", Scratch("in.cfg").string()})).status, 0);
  EXPECT_EQ(RunCli(On({"config", "read", "--pretty"})).out, "{\n  \"name\": \"Котёл\",\n  \"n\": [\n    1\n  ]\n}\n");
}

TEST_F(CliAgainstSim, CtrlCEndsAnyWaitAtOnceWithTheInterruptedStatus) {
  // Without an end at once, the silent queries would end the log with status 1.
  server_.WithModel([](sim::ControllerModel& model) {
    model.AddFault(sim::ParseFault("long:28:silence"));
    model.AddFault(sim::ParseFault("long:25:silence"));
  });
  tarvex::testing::FastClock clock(100);
  const std::atomic<bool> stop{true};
  for (const auto& words : {On({"config", "read"}), On({"log", "--file", Scratch("events.log").string()})}) {
    const auto result = RunCli(words, clock, testing::kNoSettings, stop);
    EXPECT_EQ(result.status, 130) << words[2];
    EXPECT_EQ(result.err, "tarvex-cli: interrupted\n");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(Scratch("events.log.partial"))) << "nothing was read";
  // The question on the terminal is a wait too.
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  const Environment terminal{.out = out, .err = err, .in = in, .in_is_terminal = true,
                             .settings = testing::kNoSettings, .clock = clock,
                             .wall_clock = SystemWallClock(), .stop = stop};
  EXPECT_EQ(cli::Run(On({"log-clear"}), terminal), 130);
  server_.WithModel([](sim::ControllerModel& model) { EXPECT_EQ(model.event_log().count(), 300); });
}

// The real clock, telling when it is first read: the responder's first wait for a poll
// has begun then, on a port opened and purged.
class ReadyClock final : public Clock {
 public:
  TimePoint Now() override {
    if (!told_.test_and_set()) ready_.set_value();
    return RealClock().Now();
  }
  void Sleep(Duration d) override { RealClock().Sleep(d); }
  bool WaitReady(std::chrono::seconds limit) { return future_.wait_for(limit) == std::future_status::ready; }

 private:
  std::atomic_flag told_;
  std::promise<void> ready_;
  std::future<void> future_ = ready_.get_future();
};

TEST(CliResponder, AnswersThePollsWithATraceLineEachUntilCtrlC) {
  const tarvex::testing::ScratchFolder folder("cli-respond");
  sim::PollerOptions options;
  options.count = sim::FieldPollRound().size();
  // The poller checks the day of every clock answer.
  options.expect.day = 17;
  auto poller = std::make_unique<sim::PtyPoller>((folder.path() / "tty").string(), options);
  poller->Open();
  std::atomic<bool> stop{false};
  ReadyClock clock;
  std::promise<testing::RunResult> ran;
  auto ended = ran.get_future();
  std::thread tool([&, link = poller->link_path()] {
    ran.set_value(RunCli({"--port", link, "respond", "--day", "17"}, clock, testing::kNoSettings, stop));
  });
  sim::PollReport report;
  std::ostringstream printed;
  if (clock.WaitReady(std::chrono::seconds(10))) report = poller->Run(printed);
  stop = true;
  const bool ended_by_ctrl_c = ended.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
  EXPECT_TRUE(ended_by_ctrl_c) << "respond runs on after Ctrl+C";
  if (!ended_by_ctrl_c) {
    poller.reset();  // the line hung up ends it where Ctrl+C did not
    if (ended.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      std::fputs("respond ends neither by Ctrl+C nor by a hang-up\n", stderr);
      std::abort();
    }
  }
  tool.join();
  const testing::RunResult result = ended.get();
  EXPECT_TRUE(report.passed()) << printed.str();
  EXPECT_EQ(result.status, 0) << result.err;
  // The window's twelve pane lines, the controller's text in UTF-8.
  EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 12) << result.out;
  EXPECT_NE(result.out.find("\n4,нитка 2  22>   f: 1\n"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace tarvex::cli
