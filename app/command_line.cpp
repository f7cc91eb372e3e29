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
    CommandLineEntry{Kind::Command, "--import-draws", "DATEI",
                     "liest die Ziehungen einer Datei ins Archiv: die eigene CSV-Form von "
                     "--export-draws, den CSV-Download der Lotteriegesellschaften "
                     "(LOTTO_ab_2018.csv, mit Quoten) oder die CSV- und JSON-Dateien der "
                     "öffentlichen Ziehungsarchive",
                     false, ""},
    CommandLineEntry{Kind::Command, "--export-draws", "DATEI",
                     "schreibt alle Ziehungen des Archivs in eine CSV-Datei", false, ""},
    CommandLineEntry{Kind::Command, "--update", "",
                     "holt die Ziehungen, die dem Archiv fehlen, vom Ergebnisdienst der "
                     "Lotterie; ohne Datum vom Tag nach der letzten gespeicherten Ziehung bis "
                     "heute",
                     false, ""},
    CommandLineEntry{Kind::Command, "--check", "SCHEIN.sch",
                     "prüft den Spielschein über seine ganze Laufzeit nach den Regeln "
                     "jedes Ziehungstages, mit dem Gewinn",
                     false, ""},
    CommandLineEntry{Kind::Option, "--from", "TT.MM.JJJJ",
                     "der erste Tag, dessen Ziehung --update holt", false, "--update"},
    CommandLineEntry{Kind::Option, "--to", "TT.MM.JJJJ",
                     "der letzte Tag, dessen Ziehung --update holt", false, "--update"},
    CommandLineEntry{Kind::Option, "--archive", "DATEI",
                     "nimmt DATEI als Archiv der Ziehungen statt Ziehungen.sqlite neben ZW.INI",
                     true, "--import-draws --export-draws --update --check"},
    CommandLineEntry{Kind::Option, "--results-service", "URL",
                     "fragt den Ergebnisdienst unter URL statt unter "
                     "https://www.lotto.de/api/stats/entities.lotto (ein Spiegel, ein eigener "
                     "Server)",
                     true, "--update"},
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
constexpr std::size_t kUsageIndent = 8;  // "Aufruf: " and the lines below it

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

// The program's name, the command with its value, and the options that go with it, broken
// before an option that would pass the terminal's width; a broken line goes on below the command.
std::string UsageLine(std::string_view command) {
  std::vector<std::string> parts{std::string(kProgram)};
  if (const CommandLineEntry* entry = command.empty() ? nullptr : Find(command)) {
    parts.push_back(Form(*entry));
  }
  for (const CommandLineEntry& option : kCommandLine) {
    if (option.kind == Kind::Option && GoesWith(option, command)) {
      parts.push_back("[" + Form(option) + "]");
    }
  }
  const std::string continuation(kUsageIndent + kProgram.size() + 1, ' ');
  std::string line;
  std::size_t column = kUsageIndent;
  for (const std::string& part : parts) {
    if (!line.empty() && column + 1 + part.size() > kLineWidth) {
      line.append("\n").append(continuation);
      column = continuation.size();
    } else if (!line.empty()) {
      line += ' ';
      ++column;
    }
    line += part;
    column += part.size();
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
  const std::string indent(kUsageIndent, ' ');
  out.append(UsageLine("")).append("\n");
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) out.append(indent).append(UsageLine(entry.name)).append("\n");
  }
  out.append(
      "\nKreuzwart pr\u00fcft einen Spielschein von Lotto 6 aus 49 gegen die letzten\n"
      "Ziehungen am Mittwoch und am Samstag und \u00fcber seine ganze Laufzeit gegen das\n"
      "Archiv der Ziehungen. Ohne Befehl \u00f6ffnet es seine Fenster; ein Befehl tut das\n"
      "Seine ohne Fenster und ohne Bildschirm.\n\nBefehle:\n");
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
