#include "cli/command_table.h"

namespace tarvex::cli {
namespace {

const Option kYes{"--yes", "", "do not ask first (needed when standard input is no terminal)"};

const Option kLast{"--last", "N", "the last N records (default 30)"};
const Option kFile{"--file", "PATH",
                   "write the window's file of the records to PATH instead of printing them"};
const Option kFormat{"--format", "FORMAT", "csv or jsonl: the records as rows of a table (UTF-8)"};

const std::vector<Command> kCommands = {
    {.name = "log",
     .summary = "print the last event records, or write them to a file",
     .help = "Reads the event log as the window's \"LOG\" does: the count, the pointer, then the\n"
             "last 30 records, the last N, or the one at index I. Prints each record's line,\n"
             "or with --file writes the file the window writes: the line \"pointer = P\", then\n"
             "the records, in code page 1251 with CR LF. With --append, reads the records\n"
             "written since the last one PATH holds and adds them at its end, after a line\n"
             "\"pointer = P\" of their own; a first run is --file's.\n"
             "With --format, a row per record instead: index, time (ISO 8601 where the\n"
             "fields form a date), kind, text, and the line for a record the window shows\n"
             "oddly.",
     .options = {kLast, {"--index", "I", "only the record at index I"}, kFile,
                 {"--append", "PATH", "add the records since the last one PATH holds at its end"}, kFormat},
     .run = RunLog},
    {.name = "log-count",
     .summary = "print the number of records in the event log",
     .help = "Prints the number of records the event log holds.",
     .run = RunLogCount},
    {.name = "log-pointer",
     .summary = "print the event log pointer",
     .help = "Prints the event log pointer: the index after the newest record.",
     .run = RunLogPointer},
    {.name = "log-clear",
     .summary = "clear the event log",
     .help = "Clears the controller's event log, after asking on the terminal.",
     .options = {kYes},
     .run = RunLogClear},
    {.name = "archive",
     .summary = "print the last archive records, or write them to a file",
     .help = "Reads the archive as the window's \"RETRO\" does: the pointer, then the last 30\n"
             "records, or the last N, their times shifted to this computer's time zone.\n"
             "Prints each record's line, or with --file writes the file the window writes.\n"
             "With --one, prints only the value of the record at index I. With --format, a row\n"
             "per record instead: index, time with this computer's offset, value, and the\n"
             "line for a record without a date or a value.",
     .options = {kLast, {"--one", "I", "print only the value of the record at index I"}, kFile, kFormat},
     .run = RunArchive},
    {.name = "archive-pointer",
     .summary = "print the archive pointer",
     .help = "Prints the archive pointer: the index after the newest record (0 is a failure).",
     .run = RunArchivePointer},
    {.name = "config read",
     .summary = "print the configuration, or save it to a file",
     .help = "Reads the configuration and prints it, or writes its bytes unchanged to FILE;\n"
             "with --pretty, the JSON document indented instead.",
     .options = {{"--test", "", "the test configuration instead"},
                 {"--output", "FILE", "write to FILE instead of printing"},
                 {"--pretty", "", "indent the JSON document, two blanks a level"}},
     .run = RunConfigRead},
    {.name = "config write",
     .operands = "FILE",
     .summary = "write a configuration file to the controller",
     .help = "Writes the bytes of FILE to the controller as its configuration. A FILE that is\n"
             "not well-formed JSON (read in code page 1251) is refused with its line, column\n"
             "and reason, and nothing is sent.",
     .options = {{"--force", "", "write FILE even when it is not well-formed JSON"}},
     .run = RunConfigWrite},
    {.name = "config set-test",
     .summary = "make the configuration the test configuration",
     .help = "Has the controller copy its configuration to the test configuration.",
     .run = RunConfigSetTest},
    {.name = "config test",
     .summary = "have the controller test its configuration",
     .help = "Has the controller test its configuration: prints OK, or fails with the verdict.",
     .run = RunConfigTest},
    {.name = "script send",
     .operands = "FILE",
     .summary = "write a script file to the controller",
     .help = "Writes the bytes of FILE to the controller as its script.",
     .run = RunScriptSend},
    {.name = "script get",
     .operands = "FILE",
     .summary = "save the controller's script to a file",
     .help = "Reads the controller's script and writes its bytes unchanged to FILE.",
     .run = RunScriptGet},
    {.name = "script clear",
     .summary = "clear the controller's script",
     .help = "Clears the controller's script, after asking on the terminal.",
     .options = {kYes},
     .run = RunScriptClear},
    {.name = "reboot",
     .summary = "send the reboot text",
     .help = "Sends the reboot text. A reboot, an answer and silence look alike: nothing is\n"
             "reported.",
     .run = RunReboot},
    {.name = "register",
     .summary = "register the controller",
     .help = "Sends the registration command, after asking on the terminal.",
     .options = {kYes},
     .run = RunRegister},
    {.name = "ident",
     .summary = "print the controller's identifier",
     .help = "Prints the controller's identifier.",
     .run = RunIdent},
    {.name = "pressure",
     .summary = "print the pressure",
     .help = "Prints the pressure the controller measures.",
     .run = RunPressure},
    {.name = "report",
     .summary = "write a site report: one HTML page of the controller's data",
     .help = "Reads the identifier, the pressure, the last 500 event records and the last 500\n"
             "archive records, and writes one self-contained HTML page to PATH: the archive as\n"
             "a chart of value over time, the events per day, and the event log as a table\n"
             "that a filter box narrows by text, kind and dates. It needs no network and no\n"
             "other file, and prints as it shows.",
     .options = {{"--file", "PATH", "the page to write (required)"},
                 {"--last", "N", "the last N event records (default 500)"},
                 {"--archive-last", "N", "the last N archive records (default 500)"}},
     .run = RunReport},
    {.name = "respond",
     .summary = "answer the controller's polls as field devices, until Ctrl+C",
     .help = "Answers the controller's polls as field devices do and prints a trace line\n"
             "for each, until Ctrl+C. The texts are those of the window's boxes. Ctrl+C is\n"
             "how it ends, so it ends with status 0.",
     .options = {{"--day", "S", "the day number in the clock answer (default 28)"},
                 {"--add1", "S", "clock shift in seconds for address 1 (default 0)"},
                 {"--add2", "S", "clock shift in seconds for the other addresses (default 0)"}},
     .stops_itself = true,
     .run = RunRespond},
    {.name = "ports",
     .summary = "list the serial ports, what each is and whether it can be opened",
     .help = "Lists the serial ports the system has, one line each: the port text the tool\n"
             "takes, the system's description (for a USB adapter its vendor and product ids,\n"
             "product, serial number, and on Linux its stable /dev/serial/by-id name; on\n"
             "Windows the latency timer its driver keeps), and whether it can be opened now\n"
             "or why not. With --port (repeatable) only the ports named, pseudo-terminals\n"
             "too.",
     .port_lists = true,
     .run = RunPorts},
    {.name = "find",
     .summary = "find the port and baud rate at which a controller answers",
     .help = "Asks every serial port (or each --port given; repeatable) at each baud rate\n"
             "for the controller's identifier, which changes nothing in the controller, and\n"
             "prints where one answers: \"COM4 38400: controller 1500\". --baud takes a list\n"
             "(9600,38400); by default the settings' rate first, then 9600, 19200, 38400,\n"
             "57600 and 115200. Each try waits at most half a second for a reply; a port\n"
             "that cannot be opened (busy, absent) is skipped with its reason. Exit status 0\n"
             "when a controller answered, 1 when none did.",
     .options = {{"--save", "", "write the port and baud rate found into the settings file"}},
     .port_lists = true,
     .run = RunFind},
};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

}  // namespace tarvex::cli
