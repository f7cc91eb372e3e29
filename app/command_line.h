#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"

namespace kw {

// The command line, read before any window exists, so that the commands work without a display
// (over ssh, in cron). Without a command the program opens its windows. Texts are German, UTF-8.
// The header names no Qt type; the addresses are checked with Qt Core's URL parser.

// What the program does: open its windows, or carry out one command without them.
enum class Command { Windows, Help, Version, ImportDraws, ExportDraws, Update, Check };

// One entry of the command line: the ticket file named without an option, a command, or an
// option that changes how the windows or a command work. Adding one is adding a row to
// kCommandLine; --help and the manual page list it from there. Every member has a default, so
// that a row names only what it sets.
struct CommandLineEntry {
  enum class Kind { Ticket, Command, Option };
  Kind kind = Kind::Option;
  std::string_view name{};             // "--results-url"; the ticket's is its form, "SCHEIN.sch"
  std::string_view valueName{};        // "URL"; empty for an entry that takes no value
  std::string_view help{};             // what --help says of it
  Command command = Command::Windows;  // commands only: which one
  // Commands only: the value is the ticket files named without an option, one or more.
  bool takesTickets = false;
  // Tickets and options: whether it goes with the windows, and the commands it goes with,
  // blank-separated.
  bool withWindows = false;
  std::string_view withCommands{};
};

// Every entry, in the order --help lists them.
extern const std::span<const CommandLineEntry> kCommandLine;

// A command line that cannot be carried out. The message names what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the command line asks for, each value read and checked.
struct CommandLine {
  Command command = Command::Windows;
  // The ticket files as given (UTF-8): the one the windows open, or those --check checks.
  std::vector<std::string> tickets;
  std::filesystem::path drawsFile;               // the file of --import-draws or --export-draws
  std::optional<Date> from;                      // --from
  std::optional<Date> to;                        // --to
  std::optional<std::filesystem::path> archive;  // --archive
  // --results-url, in the encoded form the download compares the page's address with.
  std::optional<std::string> resultsUrl;
  // --results-service: an http or https address with a host, without a query or a fragment.
  std::optional<std::string> resultsService;
};

// Reads the arguments after the program's name. An option's value follows it as the next
// argument or after "=" ("--results-url=URL"); an argument that is no option names a ticket
// file, and so does every argument after "--". Throws UsageError for an unknown argument, a
// missing value, an entry given twice, a second command, an option that does not go with the
// command, a value that cannot be used, and a ticket where none or only one is taken.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

// What a usage error prints on standard error before the program ends with exit code 2, the
// same for every usage error: the problem, then where to read what is possible.
std::string UsageMessage(std::string_view problem);

// What --version prints: "Kreuzwart 1.26".
std::string VersionText();

}  // namespace kw
