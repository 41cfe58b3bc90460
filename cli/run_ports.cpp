// ports and find: the serial ports the system has, and where a controller answers.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "basics/conversion_error.h"
#include "basics/ini_file.h"
#include "basics/port_settings.h"
#include "basics/str_to_int.h"
#include "cli/command_table.h"
#include "cli/progress.h"
#include "cli/session.h"
#include "cli/terminal.h"
#include "link/port_list.h"
#include "link/port_name.h"
#include "service/controller_search.h"

namespace tarvex::cli {
namespace {

// The device a port text names, as the system's list spells it.
std::string DeviceKey(const std::string& text) {
  const std::string name = PortNameFromText(text);
#ifdef _WIN32
  std::string key(ShortPortName(name));
  std::ranges::transform(key, key.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return key;
#else
  std::error_code error;
  const auto path = ResolvePortName(name);
  return path ? std::filesystem::weakly_canonical(*path, error).string() : text;
#endif
}

// The entries of the ports named on the command line: the system's particulars where
// it lists the device, else what it is.
std::vector<PortEntry> NamedPorts(const std::vector<std::string>& names) {
  const std::vector<PortEntry> system = ListSystemPorts();
  std::vector<PortEntry> entries;
  for (const std::string& name : names) {
    const std::string key = DeviceKey(name);
    const auto listed = std::ranges::find_if(system, [&](const PortEntry& e) { return DeviceKey(e.name) == key; });
    PortEntry entry = listed != system.end() ? *listed : PortEntry{};
    entry.name = name;
    if (listed == system.end()) {
      entry.description = key.starts_with("/dev/pts/") ? "pseudo-terminal" : "not in the system's list of serial ports";
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<std::int32_t> BaudList(const std::string& text) {
  std::vector<std::int32_t> bauds;
  std::istringstream items(text);
  for (std::string item; std::getline(items, item, ',');) bauds.push_back(IntegerValue("--baud", item));
  if (bauds.empty()) throw CliError(kUsage, "--baud: no baud rate in '" + text + "'");
  return bauds;
}

// The settings' rate when it reads as one, else the default's: a broken settings
// file is what a search is run to mend.
std::int32_t SettingsBaud(const SettingsFiles& settings) {
  const std::int32_t fallback = StrToInt(PortSettings{}.baud);
  try {
    const std::int32_t baud = StrToInt(ReadPortSettings(settings).baud);
    return baud > 0 ? baud : fallback;
  } catch (const ConversionError&) {
    return fallback;
  }
}

class FindOutput final : public SearchSink {
 public:
  FindOutput(Session& session, Progress& progress) : session_(session), progress_(progress) {}

  void Skipped(const std::string& port, std::int32_t baud, const std::string& reason) override {
    progress_.Clear();
    const std::string where = baud == 0 ? port : port + " " + std::to_string(baud);
    session_.environment().err << "tarvex-cli: skipped " << TerminalFromUtf8(where + ": " + reason) << "\n"
                               << std::flush;
  }
  void Tried(int done) override { progress_.Advance(done); }
  void Found(const SearchHit& hit) override {
    progress_.Clear();
    session_.PrintLine(hit.port + " " + std::to_string(hit.baud) + ": controller " + std::to_string(hit.identifier));
  }

 private:
  Session& session_;
  Progress& progress_;
};

}  // namespace

ExitStatus RunPorts(Session& session) {
  const auto& named = session.invocation().ports;
  const std::vector<PortEntry> ports = named.empty() ? ListSystemPorts() : NamedPorts(named);
  if (ports.empty()) session.PrintLine("no serial ports");
  for (const PortEntry& port : ports) {
    OpenFailure failure;
    const bool opens = OpenPort(PortNameFromText(port.name), 9600, &failure) != nullptr;
    session.PrintLine(port.name + ": " + PortDescription(port) +
                      (opens ? "; can be opened" : "; cannot be opened: " + failure.reason));
  }
  return kDone;
}

ExitStatus RunFind(Session& session) {
  const Environment& environment = session.environment();
  const Invocation& invocation = session.invocation();
  std::vector<std::string> ports = invocation.ports;
  if (ports.empty()) {
    for (const PortEntry& port : ListSystemPorts()) ports.push_back(port.name);
  }
  if (ports.empty()) throw CliError(kControllerFailed, "no serial ports to search");
  const std::vector<std::int32_t> bauds =
      invocation.baud ? BaudList(*invocation.baud) : SearchBauds(SettingsBaud(environment.settings));
  const int tries = static_cast<int>(ports.size() * bauds.size());
  std::vector<SearchHit> hits;
  {
    Progress progress(environment.err, environment.err_is_terminal, environment.clock, tries, "tries");
    FindOutput output(session, progress);
    hits = SearchController(session.bare_link(), ports, bauds, output);
  }
  if (hits.empty()) {
    throw CliError(kControllerFailed, "no controller answered on " + std::to_string(ports.size()) + " port(s) at " +
                                          std::to_string(bauds.size()) + " baud rate(s)");
  }
  if (invocation.Has("--save")) {
    const auto& settings = environment.settings.file;
    if (!WriteProfileString(settings, kSettingsSection, kPortKey, hits.front().port) ||
        !WriteProfileString(settings, kSettingsSection, kBaudKey, std::to_string(hits.front().baud))) {
      throw CliError(kFileFailed, "cannot write " + settings.string());
    }
    session.PrintLine("saved in " + settings.string());
  }
  return kDone;
}

}  // namespace tarvex::cli
