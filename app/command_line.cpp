#include "app/command_line.h"

#include <QString>
#include <QUrl>
#include <array>
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>

#include "core/version.h"
#include "qtedge/addresses.h"

namespace kw {

namespace {

using Kind = CommandLineEntry::Kind;

// clang-format off
constexpr std::array kEntries = {
    CommandLineEntry{.kind = Kind::Ticket, .name = "SCHEIN.sch",
                     .help = "ohne Befehl: \u00f6ffnet die Fenster mit diesem Spielschein, wie "
                             "\"Schein laden\" ihn l\u00e4dt; mit --check: die Scheine, die es "
                             "pr\u00fcft",
                     .withWindows = true, .withCommands = "--check"},
    CommandLineEntry{.kind = Kind::Command, .name = "--help", .help = "zeigt diese Hilfe",
                     .command = Command::Help},
    CommandLineEntry{.kind = Kind::Command, .name = "--version", .help = "zeigt die Version",
                     .command = Command::Version},
    CommandLineEntry{.kind = Kind::Command, .name = "--import-draws", .valueName = "DATEI",
                     .help = "liest die Ziehungen einer Datei ins Archiv: die eigene CSV-Form von "
                             "--export-draws, den CSV-Download der Lotteriegesellschaften "
                             "(LOTTO_ab_2018.csv, mit Quoten) oder die CSV- und JSON-Dateien der "
                             "\u00f6ffentlichen Ziehungsarchive",
                     .command = Command::ImportDraws},
    CommandLineEntry{.kind = Kind::Command, .name = "--export-draws", .valueName = "DATEI",
                     .help = "schreibt alle Ziehungen des Archivs in eine CSV-Datei",
                     .command = Command::ExportDraws},
    CommandLineEntry{.kind = Kind::Command, .name = "--update",
                     .help = "holt die Ziehungen, die dem Archiv fehlen, vom Ergebnisdienst der "
                             "Lotterie; ohne Datum vom Tag nach der letzten gespeicherten Ziehung "
                             "bis heute",
                     .command = Command::Update},
    CommandLineEntry{.kind = Kind::Command, .name = "--check", .valueName = "SCHEIN.sch",
                     .help = "pr\u00fcft jeden Spielschein \u00fcber seine ganze Laufzeit nach "
                             "den Regeln jedes Ziehungstages, mit dem Gewinn und dem Einsatz "
                             "ohne Bearbeitungsgeb\u00fchr; mehrere Scheine jeden unter einer "
                             "Zeile \"Schein: <Datei>\", am Ende ihre Summe \"Alle Scheine\"",
                     .command = Command::Check, .takesTickets = true},
    CommandLineEntry{.kind = Kind::Option, .name = "--from", .valueName = "TT.MM.JJJJ",
                     .help = "der erste Tag, dessen Ziehung --update holt",
                     .withCommands = "--update"},
    CommandLineEntry{.kind = Kind::Option, .name = "--to", .valueName = "TT.MM.JJJJ",
                     .help = "der letzte Tag, dessen Ziehung --update holt",
                     .withCommands = "--update"},
    CommandLineEntry{.kind = Kind::Option, .name = "--archive", .valueName = "DATEI",
                     .help = "nimmt DATEI als Archiv der Ziehungen statt Ziehungen.sqlite neben "
                             "ZW.INI",
                     .withWindows = true,
                     .withCommands = "--import-draws --export-draws --update --check"},
    CommandLineEntry{.kind = Kind::Option, .name = "--results-service", .valueName = "URL",
                     .help = "fragt den Ergebnisdienst unter URL statt unter "
                             "https://www.lotto.de/api/stats/entities.lotto (ein Spiegel, ein "
                             "eigener Server; http oder https, ohne ? und #)",
                     .withWindows = true, .withCommands = "--update"},
    CommandLineEntry{.kind = Kind::Option, .name = "--results-url", .valueName = "URL",
                     .help = "\"WWW Import\" l\u00e4dt die Ziehungen von URL statt von der "
                             "Ergebnisseite der Lotterie: von einem Spiegel oder einer "
                             "gespeicherten Kopie auf einem eigenen Webserver (http oder https)",
                     .withWindows = true},
};
// clang-format on

// What the program is, broken for the terminal; the manual page fills it anew.
constexpr std::string_view kDescription =
    "Kreuzwart pr\u00fcft Spielscheine von Lotto 6 aus 49 gegen die letzten Ziehungen\n"
    "am Mittwoch und am Samstag und \u00fcber ihre ganze Laufzeit gegen das Archiv der\n"
    "Ziehungen. Ohne Befehl \u00f6ffnet es seine Fenster; ein Befehl tut das Seine ohne\n"
    "Fenster und ohne Bildschirm.\n";

// The entries by kind, each under its heading, in this order.
constexpr std::array<std::pair<Kind, std::string_view>, 3> kSections = {{
    {Kind::Ticket, "Spielschein"},
    {Kind::Command, "Befehle"},
    {Kind::Option, "Optionen"},
}};

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
  if (entry.takesTickets) form.append(" [").append(entry.valueName).append(" ...]");
  return form;
}

const CommandLineEntry& TicketEntry() {
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Ticket) return entry;
  }
  throw std::logic_error("the command line has no ticket entry");
}

// One part of a form of the command line after the program's name.
struct UsagePart {
  const CommandLineEntry* entry;
  bool optional;  // shown in brackets
};

// The command with its value, then the ticket and the options that go with it.
std::vector<UsagePart> UsageParts(std::string_view command) {
  std::vector<UsagePart> parts;
  const CommandLineEntry* commandEntry = command.empty() ? nullptr : Find(command);
  if (commandEntry) parts.push_back({commandEntry, false});
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) continue;
    // A command that takes the tickets names them in its own form.
    if (entry.kind == Kind::Ticket && commandEntry && commandEntry->takesTickets) continue;
    if (GoesWith(entry, command)) parts.push_back({&entry, true});
  }
  return parts;
}

// The program's name, the command with its value, and the options that go with it, broken
// before an option that would pass the terminal's width; a broken line goes on below the command.
std::string UsageLine(std::string_view command) {
  const std::string continuation(kUsageIndent + kProgram.size() + 1, ' ');
  std::string line(kProgram);
  std::size_t column = kUsageIndent + kProgram.size();
  for (const UsagePart& usage : UsageParts(command)) {
    const std::string part = usage.optional ? "[" + Form(*usage.entry) + "]" : Form(*usage.entry);
    if (column + 1 + part.size() > kLineWidth) {
      line.append("\n").append(continuation);
      column = continuation.size();
    } else {
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

// ---- The manual page ----

// One word of a text as roff: a backslash as "\e", the minus signs of an option ("--update")
// as "\-" so that a copied option works, quotes and tildes as the characters they are, and
// every character outside ASCII as a groff escape, so that the page reads alike in every locale.
std::string RoffWord(std::string_view word) {
  const std::size_t start = word.find_first_not_of("([\"");
  const bool option = start != std::string_view::npos && word.substr(start).starts_with("--");
  std::string out;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const auto c = static_cast<unsigned char>(word[i]);
    if (c < 0x80) {
      switch (c) {
        case '\\':
          out += "\\e";
          break;
        case '-':
          out += option ? "\\-" : "-";
          break;
        case '\'':
          out += "\\(aq";
          break;
        case '~':
          out += "\\(ti";
          break;
        case '^':
          out += "\\(ha";
          break;
        case '`':
          out += "\\(ga";
          break;
        default:
          out += static_cast<char>(c);
      }
      continue;
    }
    // The table's texts are UTF-8 of our own: a lead byte and its continuation bytes.
    const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    char32_t code = c & (0x7F >> length);
    for (int k = 1; k < length && i + 1 < word.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(word[++i]) & 0x3F);
    }
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\[u%04X]", static_cast<unsigned>(code));
    out += escape;
  }
  return out;
}

// A text as roff lines: words as RoffWord writes them, the line breaks kept, and "\&" before a
// line that would otherwise begin with a control character.
std::string Roff(std::string_view text) {
  std::string out;
  bool lineStart = true;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\n') {
      out += c;
      lineStart = c == '\n';
      ++i;
      continue;
    }
    const std::size_t end = text.find_first_of(" \n", i);
    const std::string_view word = text.substr(i, end == std::string_view::npos ? end : end - i);
    if (lineStart && (word.starts_with('.') || word.starts_with('\''))) out += "\\&";
    out += RoffWord(word);
    lineStart = false;
    i += word.size();
  }
  return out;
}

// An entry's form in roff: names bold, values italic, as manual pages set them.
std::string RoffForm(const CommandLineEntry& entry, bool optional) {
  std::string form;
  if (entry.kind == Kind::Ticket) {
    form = "\\fI" + Roff(entry.name) + "\\fR";
  } else {
    // Unbreakable blanks keep an option with its value.
    form = "\\fB" + Roff(entry.name) + "\\fR";
    if (!entry.valueName.empty()) form += "\\ \\fI" + Roff(entry.valueName) + "\\fR";
    if (entry.takesTickets) form += "\\ [\\fI" + Roff(entry.valueName) + "\\fR\\ ...\\&]";
  }
  return optional ? "[" + form + "]" : form;
}

// Terms, each set in the font of the macro given and followed by its text, as a list.
void AppendTerms(std::string& out, std::string_view macro,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> terms) {
  for (const auto& [term, text] : terms) {
    out.append(".TP\n").append(macro).append(" ").append(Roff(term)).append("\n");
    out.append(Roff(text)).append("\n");
  }
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

const std::span<const CommandLineEntry> kCommandLine{kEntries};

namespace {

Date DateValue(std::string_view name, const std::string& text) {
  const std::optional<Date> date = ParseGermanDate(text);
  if (!date)
    throw UsageError(std::string(name) + ": " + Quoted(text) + " ist kein Datum TT.MM.JJJJ");
  return *date;
}

std::string NoWebAddress(std::string_view name, const std::string& text) {
  return std::string(name) + ": " + Quoted(text) + " ist keine http- oder https-Adresse";
}

std::string ResultsPageValue(std::string_view name, const std::string& text) {
  const std::optional<QString> url = ResultsPageUrlFromOption(QString::fromLocal8Bit(text));
  if (!url) throw UsageError(NoWebAddress(name, text));
  return url->toStdString();
}

std::string ServiceValue(std::string_view name, const std::string& text) {
  const QUrl url(QString::fromLocal8Bit(text), QUrl::StrictMode);
  switch (CheckServiceAddress(url)) {
    case ServiceAddressFault::NoWebAddress:
      throw UsageError(NoWebAddress(name, text));
    case ServiceAddressFault::QueryOrFragment:
      throw UsageError(std::string(name) + ": " + Quoted(text) +
                       " ist keine Adresse eines Dienstes: sie darf kein ? und kein # enthalten");
    case ServiceAddressFault::None:
      break;
  }
  return url.toEncoded().toStdString();
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
  const CommandLineEntry* command = nullptr;
  std::string commandValue;
  std::vector<std::string> tickets;
  std::map<std::string_view, std::string> options;  // by name, each given once
  bool optionsEnded = false;                        // after "--" every argument names a ticket
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || !argument.starts_with("-")) {
      if (argument.empty()) throw UsageError("ein leerer Dateiname ist kein Spielschein");
      tickets.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
    const std::string_view name = std::string_view(argument).substr(0, equals);
    const CommandLineEntry* entry = Find(name);
    if (!entry || entry->kind == Kind::Ticket) {
      throw UsageError("unbekannte Angabe " + Quoted(argument));
    }

    std::string value;
    if (entry->valueName.empty()) {
      if (equals != std::string::npos) throw UsageError(Quoted(name) + " nimmt keinen Wert");
    } else if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
      if (entry->takesTickets) {
        if (value.empty()) throw UsageError("ein leerer Dateiname ist kein Spielschein");
        tickets.push_back(std::move(value));
      }
    } else if (entry->takesTickets) {
      // Its tickets are the arguments that are no option, wherever they stand.
    } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("--")) {
      value = arguments[++i];
    } else {
      throw UsageError(Quoted(name) + " braucht einen Wert: " + Form(*entry));
    }

    if (entry->kind == Kind::Command) {
      if (command) {
        throw UsageError(Quoted(command->name) + " und " + Quoted(name) +
                         ": nur ein Befehl auf einmal");
      }
      command = entry;
      commandValue = std::move(value);
    } else if (!options.emplace(entry->name, std::move(value)).second) {
      throw UsageError(Quoted(name) + " steht zweimal da");
    }
  }

  const std::string_view commandName = command ? command->name : std::string_view();
  for (const auto& [name, value] : options) {
    if (!GoesWith(*Find(name), commandName)) {
      throw UsageError(Quoted(name) + (command ? " passt nicht zu " + Quoted(commandName)
                                               : std::string(" braucht einen Befehl")));
    }
  }
  if (!tickets.empty() && !GoesWith(TicketEntry(), commandName)) {
    throw UsageError("unerwartete Angabe " + Quoted(tickets.front()));
  }
  if (!command && tickets.size() > 1) {
    throw UsageError(Quoted(tickets[1]) +
                     ": die Fenster \u00f6ffnen einen Schein; mehrere pr\u00fcft --check");
  }
  if (command && command->takesTickets && tickets.empty()) {
    throw UsageError(Quoted(command->name) + " braucht mindestens einen Schein: " + Form(*command));
  }

  CommandLine line;
  line.tickets = std::move(tickets);
  if (command) {
    line.command = command->command;
    if (!command->valueName.empty() && !command->takesTickets) {
      line.drawsFile = std::filesystem::path(commandValue);
    }
  }
  for (auto& [name, value] : options) {
    if (name == "--from") {
      line.from = DateValue(name, value);
    } else if (name == "--to") {
      line.to = DateValue(name, value);
    } else if (name == "--archive") {
      line.archive = std::filesystem::path(value);
    } else if (name == "--results-url") {
      line.resultsUrl = ResultsPageValue(name, value);
    } else if (name == "--results-service") {
      line.resultsService = ServiceValue(name, value);
    }
  }
  if (line.from && line.to && *line.from > *line.to) {
    throw UsageError("--from " + options["--from"] + " liegt nach --to " + options["--to"]);
  }
  return line;
}

std::string UsageMessage(std::string_view problem) {
  return "kreuzwart: " + std::string(problem) + "\n\"kreuzwart --help\" zeigt, was geht.\n";
}

std::string HelpText() {
  std::string out = "Aufruf: ";
  const std::string indent(kUsageIndent, ' ');
  out.append(UsageLine("")).append("\n");
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) out.append(indent).append(UsageLine(entry.name)).append("\n");
  }
  out.append("\n").append(kDescription);
  for (const auto& [kind, heading] : kSections) {
    out.append("\n").append(heading).append(":\n");
    for (const CommandLineEntry& entry : kCommandLine) {
      if (entry.kind == kind) AppendEntryHelp(out, entry);
    }
  }
  return out;
}

std::string ManPage(std::string_view date) {
  std::string out =
      ".\\\" kreuzwart(1), written by kreuzwart-man-page from the table of the command line\n";
  out.append(".TH KREUZWART 1 \"")
      .append(date)
      .append("\" \"Kreuzwart ")
      .append(kVersion)
      .append("\" \"Benutzerbefehle\"\n");
  out.append(".SH BEZEICHNUNG\nkreuzwart \\- ")
      .append(Roff("pr\u00fcft Spielscheine f\u00fcr Lotto 6 aus 49, Spiel 77 und Super 6"))
      .append("\n.SH ")
      .append(Roff("\u00dcBERSICHT"))
      .append("\n");
  std::vector<std::string_view> forms{""};
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Command) forms.push_back(entry.name);
  }
  // One synopsis block per form: the program's name, then each part on a line of its own,
  // which the block breaks only between parts, with a hanging indent.
  for (const std::string_view form : forms) {
    out.append(".SY ").append(kProgram).append("\n");
    for (const UsagePart& part : UsageParts(form)) {
      out.append(RoffForm(*part.entry, part.optional)).append("\n");
    }
    out.append(".YS\n");
  }
  out.append(".SH BESCHREIBUNG\n").append(Roff(kDescription));
  for (const auto& [kind, heading] : kSections) {
    out.append(".SH ").append(Upper(heading)).append("\n");
    for (const CommandLineEntry& entry : kCommandLine) {
      if (entry.kind != kind) continue;
      out.append(".TP\n").append(RoffForm(entry, false)).append("\n");
      out.append(Roff(entry.help)).append("\n");
    }
  }
  out.append(".SH ").append(Roff("R\u00dcCKGABEWERT")).append("\n");
  AppendTerms(out, ".B",
              {{"0", "erledigt"},
               {"1",
                "die Arbeit schlug fehl: ein Schein, eine Datei oder das Archiv ist nicht lesbar, "
                "der Ergebnisdienst nicht erreichbar; die Meldung steht auf der "
                "Standardfehlerausgabe"},
               {"2",
                "der Aufruf taugt nicht: eine unbekannte Angabe, ein fehlender Wert, ein Datum "
                "oder eine Adresse, die nicht passt"}});
  out.append(".SH DATEIEN\n");
  AppendTerms(
      out, ".I",
      {{"ZW.INI",
        "der aktuelle Spielschein und die beiden Ziehungen: neben dem Programm, wenn dessen "
        "Ordner eine Datei aufnehmen kann, sonst in ~/.config/Kreuzwart/ZW.INI"},
       {"Ziehungen.sqlite", "das Archiv der Ziehungen, neben ZW.INI; --archive nennt ein anderes"},
       {"*.sch",
        "die Spielscheine, wo Sie sie ablegen: INI-Dateien in Windows-1252, wie die "
        "Windows-Version sie schreibt"}});
  out.append(".SH BEISPIELE\n");
  AppendTerms(out, ".B",
              {{"kreuzwart ~/Lotto/Woche.sch", "\u00f6ffnet die Fenster mit diesem Schein"},
               {"kreuzwart --update", "holt die Ziehungen, die dem Archiv fehlen, bis heute"},
               {"kreuzwart --check Woche.sch Dauerschein.sch",
                "pr\u00fcft beide Scheine \u00fcber ihre ganze Laufzeit"}});
  return out;
}

std::string VersionText() { return std::string("Kreuzwart ") + kVersion; }

}  // namespace kw
