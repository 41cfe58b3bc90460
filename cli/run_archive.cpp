// archive and archive-pointer: as the window's "RETRO" and "Begin up retro".
#include <string>

#include "archive/archive_retrieval.h"
#include "archive/zone_shift.h"
#include "cli/command_table.h"
#include "cli/count_options.h"
#include "cli/record_rows.h"
#include "cli/retrieval_output.h"
#include "cli/session.h"
#include "basics/conversion_error.h"

namespace tarvex::cli {
namespace {

// RETRO for the command line: the boxes from the options, the records to the output,
// ONE's value on standard output.
class ArchiveLines final : public ArchiveRetrievalSink {
 public:
  ArchiveLines(const CountBoxes& boxes, RetrievalOutput& output, Session& session, int zone_shift)
      : boxes_(boxes), output_(output), session_(session), zone_shift_(zone_shift) {}

  CountBoxes Boxes() override { return boxes_; }
  void RecordsStarting(std::int32_t) override { output_.RecordsStarting(boxes_.one ? 1 : CountFromBoxes(boxes_)); }
  std::optional<std::filesystem::path> OutputPath() override { return output_.file(); }
  void Line(std::string_view text) override { output_.Record(text); }
  void Value(std::string_view text) override { session_.PrintLine(text); }
  void Record(std::int32_t index, const ArchiveRecord& record) override {
    output_.Row(ArchiveRow(MakeArchiveEntry(index, record, zone_shift_)));
  }

 private:
  CountBoxes boxes_;
  RetrievalOutput& output_;
  Session& session_;
  int zone_shift_;
};

}  // namespace

ExitStatus RunArchive(Session& session) {
  const Invocation& invocation = session.invocation();
  const CountBoxes boxes = CountBoxesFromOptions(invocation, "--one");
  for (const char* option : {"--file", "--format"}) {
    if (boxes.one && invocation.Has(option)) {
      throw CliError(kUsage, "--one prints one value: no " + std::string(option) + " with it");
    }
  }
  // The PC's clock is read once, before anything else, as the window does.
  const WallTime now = session.environment().wall_clock.Now();
  RetrievalOutput output(session, kArchiveColumns);
  Link& link = session.link();
  ArchiveLines lines(boxes, output, session, ZoneShift(now));
  try {
    return output.Run([&] { return RetrieveArchive(link, lines, now); });
  } catch (const ConversionError& error) {
    // The options are integers already: a record's time cannot be shifted.
    throw CliError(kControllerFailed, "record time: " + std::string(error.what()));
  }
}

ExitStatus RunArchivePointer(Session& session) {
  const QueryReading reading = ReadArchivePointer(session.link());
  // A pointer of 0 is a failure too, whatever the reply.
  if (reading.failure) session.Fail(*reading.failure, "read as 0");
  session.PrintLine(std::to_string(reading.value));
  return kDone;
}

}  // namespace tarvex::cli
