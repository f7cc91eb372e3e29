#pragma once

#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kw {

// The command line, read before any window exists, so that the commands work without a display
// (over ssh, in cron). Without a command the program opens its windows. Texts are German, UTF-8.

// One entry of the command line: a command does one thing without windows; an option changes
// how the windows or a command work. Adding one is adding a row to kCommandLine.
struct CommandLineEntry {
  enum class Kind { Command, Option };
  Kind kind;
  std::string_view name;       // "--results-url"
  std::string_view valueName;  // "URL"; empty for an entry that takes no value
  std::string_view help;       // what --help says of it
  // Options only: whether it goes with the windows, and the commands it goes with, blank-separated.
  bool withWindows = false;
  std::string_view withCommands;
};

// Every entry, in the order --help lists them.
extern const std::span<const CommandLineEntry> kCommandLine;

// A command line that cannot be carried out. The message names what is wrong.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the command line asks for.
struct CommandLine {
  std::string command;       // "--help", "--version", ...; empty: the windows
  std::string commandValue;  // the command's value, for one that takes one
  std::map<std::string, std::string, std::less<>> options;  // by name, each given once

  std::optional<std::string> Option(std::string_view name) const;
};

// Reads the arguments after the program's name. An entry's value follows it as the next
// argument or after "=" ("--results-url=URL"). Throws UsageError for an unknown argument, a
// missing value, an entry given twice, a second command, or an option that does not go with the
// command.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

// What --help prints: the forms of the command line and every entry with its help.
std::string HelpText();

// What --version prints: "Kreuzwart 1.26".
std::string VersionText();

}  // namespace kw
