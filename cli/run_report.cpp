// report: the site report, one self-contained HTML page (report/site_report.h) of the
// identifier, the pressure, the last event records and the last archive records.
#include <cstdio>
#include <string>

#include "archive/archive_retrieval.h"
#include "archive/zone_shift.h"
#include "basics/conversion_error.h"
#include "basics/iso_time.h"
#include "basics/version.h"
#include "cli/command_table.h"
#include "cli/controller_values.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "log/log_retrieval.h"
#include "report/site_report.h"

namespace tarvex::cli {
namespace {

constexpr std::int32_t kDefaultLast = 500;

std::int32_t LastOption(const Invocation& invocation, const char* option) {
  const auto text = invocation.Value(option);
  if (!text) return kDefaultLast;
  const std::int32_t count = IntegerValue(option, *text);
  if (count < 0) throw CliError(kUsage, std::string(option) + " " + *text + ": a count cannot be below 0");
  return count;
}

// "2026-12-08 15:40 UTC+03:00": the PC's clock, with its zone's offset.
std::string MadeText(const WallTime& now) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d UTC", now.local_year, now.local_month, now.local_day,
                now.local.hour, now.local.minute);
  return text + IsoOffset(ZoneShift(now));
}

class ReportLog final : public LogRetrievalSink {
 public:
  ReportLog(std::int32_t last, SiteReport& report, Progress& progress)
      : last_(last), report_(report), progress_(progress) {}
  CountBoxes Boxes() override { return {.beg = std::to_string(last_)}; }
  void Line(std::string_view) override {}
  void Record(std::int32_t index, const RenderedLogRecord& record) override {
    report_.events.push_back(MakeLogEntry(index, record));
    progress_.Advance(static_cast<int>(report_.events.size()));
  }

 private:
  std::int32_t last_;
  SiteReport& report_;
  Progress& progress_;
};

class ReportArchive final : public ArchiveRetrievalSink {
 public:
  ReportArchive(std::int32_t last, int zone_shift, SiteReport& report, Progress& progress)
      : last_(last), zone_shift_(zone_shift), report_(report), progress_(progress) {}
  CountBoxes Boxes() override { return {.beg = std::to_string(last_)}; }
  void Line(std::string_view) override {}
  void Record(std::int32_t index, const ArchiveRecord& record) override {
    report_.archive.push_back(MakeArchiveEntry(index, record, zone_shift_));
    progress_.Advance(static_cast<int>(report_.events.size() + report_.archive.size()));
  }

 private:
  std::int32_t last_;
  int zone_shift_;
  SiteReport& report_;
  Progress& progress_;
};

void EndOnFailure(const OperationOutcome& outcome) {
  if (outcome.failure) throw CliError(kControllerFailed, OutcomeText(outcome));
}

void Read(Session& session, const WallTime& now, SiteReport& report) {
  const Invocation& invocation = session.invocation();
  const std::int32_t log_last = LastOption(invocation, "--last");
  const std::int32_t archive_last = LastOption(invocation, "--archive-last");
  report.identifier = ReadIdentText(session);
  report.pressure = ReadPressureText(session);
  const Environment& environment = session.environment();
  Progress progress(environment.err, environment.err_is_terminal, environment.clock, log_last + archive_last,
                    "records");
  ReportLog log(log_last, report, progress);
  EndOnFailure(RetrieveLog(session.link(), log));
  ReportArchive archive(archive_last, ZoneShift(now), report, progress);
  try {
    EndOnFailure(RetrieveArchive(session.link(), archive, now));
  } catch (const ConversionError& error) {
    throw CliError(kControllerFailed, "record time: " + std::string(error.what()));
  }
}

void Write(OutputTarget& output, const SiteReport& report) {
  const std::string html = SiteReportHtml(report);
  output.Write({reinterpret_cast<const std::uint8_t*>(html.data()), html.size()});
}

}  // namespace

ExitStatus RunReport(Session& session) {
  const auto file = session.invocation().Value("--file");
  if (!file) throw CliError(kUsage, "report writes a page: add --file PATH");
  // The PC's clock is read once, before anything else, as the archive retrieval wants.
  const WallTime now = session.environment().wall_clock.Now();
  SiteReport report;
  report.port = session.port_text();
  report.made = MadeText(now);
  report.version = kVersion;
  OutputTarget& output = session.Output(*file);
  try {
    Read(session, now, report);
  } catch (const CliError& error) {
    // What was read is kept, in a page that says where it stops.
    if (!report.events.empty() || !report.archive.empty()) {
      report.failure = error.what();
      Write(output, report);
    }
    throw;
  }
  Write(output, report);
  return kDone;
}

}  // namespace tarvex::cli
