#include "app/command_line.h"

#include <array>
#include <vector>

#include "core/version.h"

namespace kw {

namespace {

using Kind = CommandLineEntry::Kind;

// clang-format off
constexpr std::array kEntries = {
    CommandLineEntry{Kind::Command, "--help", "", "zeigt diese Hilfe", false, ""},
    CommandLineEntry{Kind::Command, "--version", "", "zeigt die Version", false, ""},
    CommandLineEntry{Kind::Option, "--results-url", "URL",
                     "\"WWW Import\" l\u00e4dt die Ziehungen von URL statt von der Ergebnisseite "
                     "der Lotterie: von einem Spiegel oder einer gespeicherten Kopie auf einem "
                     "eigenen Webserver (http oder https)",
                     true, ""},
};
// clang-format on

constexpr std::string_view kProgram = "kreuzwart";
constexpr std::size_t kHelpColumn = 24;  // where the help texts begin
constexpr std::size_t kLineWidth = 79;

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

const CommandLineEntry* Find(std::string_view name) {
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

// Whether the blank-separated list holds the word.
bool ListHolds(std::string_view list, std::string_view word) {
  while (!list.empty()) {
    const std::size_t blank = list.find(' ');
    if (list.substr(0, blank) == word) return true;
    if (blank == std::string_view::npos) break;
    list.remove_prefix(blank + 1);
  }
  return false;
}

bool GoesWith(const CommandLineEntry& option, std::string_view command) {
  return command.empty() ? option.withWindows : ListHolds(option.withCommands, command);
}

std::string Form(const CommandLineEntry& entry) {
  std::string form(entry.name);
  if (!entry.valueName.empty()) form.append(" ").append(entry.valueName);
  return form;
}

// The program's name, the command with its value, and the options that go with it.
std::string UsageLine(std::string_view command) {
  std::string line(kProgram);
  if (const CommandLineEntry* entry = command.empty() ? nullptr : Find(command)) {
    line.append(" ").append(Form(*entry));
  }
  for (const CommandLineEntry& option : kCommandLine) {
    if (option.kind == Kind::Option && GoesWith(option, command)) {
      line.append(" [").append(Form(option)).append("]");
    }
  }
  return line;
}

// Appends the entry's form and its help, the help wrapped at word boundaries into its column.
void AppendEntryHelp(std::string& out, const CommandLineEntry& entry) {
  std::string line = "  " + Form(entry);
  auto breakLine = [&] {
    out.append(line).append("\n");
    line.assign(kHelpColumn, ' ');
  };
  if (line.size() + 1 >= kHelpColumn) breakLine();
  line.resize(kHelpColumn, ' ');
  std::string_view words = entry.help;
  bool first = true;
  while (!words.empty()) {
    const std::size_t blank = words.find(' ');
    const std::string_view word = words.substr(0, blank);
    // Counted in bytes: an umlaut takes two, which only ever breaks a line a little early.
    if (!first && line.size() + 1 + word.size() > kLineWidth) breakLine();
    if (!first && line.size() > kHelpColumn) line += ' ';
    line.append(word);
    first = false;
    words.remove_prefix(blank == std::string_view::npos ? words.size() : blank + 1);
  }
  out.append(line).append("\n");
}

}  // namespace

const std::span<const CommandLineEntry> kCommandLine{kEntries};

std::optional<std::string> CommandLine::Option(std::string_view name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
  CommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
    const std::string_view name = std::string_view(argument).substr(0, equals);
    const CommandLineEntry* entry = Find(name);
    if (!entry) {
      throw UsageError((argument.starts_with("-") ? "unbekannte Angabe " : "unerwartete Angabe ") +
                       Quoted(argument));
    }

    std::string value;
    if (entry->valueName.empty()) {
      if (equals != std::string::npos) throw UsageError(Quoted(name) + " nimmt keinen Wert");
    } else if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
      value = arguments[++i];
    } else {
      throw UsageError(Quoted(name) + " braucht einen Wert: " + Form(*entry));
    }

    if (entry->kind == Kind::Command) {
      if (!line.command.empty()) {
        throw UsageError(Quoted(line.command) + " und " + Quoted(name) +
                         ": nur ein Befehl auf einmal");
      }
      line.command = name;
      line.commandValue = std::move(value);
    } else if (!line.options.emplace(std::string(name), std::move(value)).second) {
      throw UsageError(Quoted(name) + " steht zweimal da");
    }
  }

  for (const auto& [name, value] : line.options) {
    if (!GoesWith(*Find(name), line.command)) {
      throw UsageError(Quoted(name) + (line.command.empty()
                                           ? std::string(" braucht einen Befehl")
                                           : " passt nicht zu " + Quoted(line.command)));
    }
  }
  return line;
}

std::string HelpText() {
  std::string out = "Aufruf: ";
  const std::string indent(std::string_view("Aufruf: ").size(), ' ');
  out.append(UsageLine("")).append("\n");
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) out.append(indent).append(UsageLine(entry.name)).append("\n");
  }
  out.append(
      "\nKreuzwart pr\u00fcft einen Spielschein von Lotto 6 aus 49 gegen die letzten\n"
      "Ziehungen am Mittwoch und am Samstag. Ohne Befehl \u00f6ffnet es seine Fenster; ein\n"
      "Befehl tut das Seine ohne Fenster und ohne Bildschirm.\n\nBefehle:\n");
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) AppendEntryHelp(out, entry);
  }
  out.append("\nOptionen:\n");
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Option) AppendEntryHelp(out, entry);
  }
  return out;
}

std::string VersionText() { return std::string("Kreuzwart ") + kVersion; }

}  // namespace kw
