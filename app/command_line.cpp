#include "app/command_line.h"

#include <QString>
#include <QUrl>
#include <array>
#include <map>
#include <utility>
#include <vector>

#include "app/command_line_forms.h"
#include "core/cp1252.h"
#include "core/version.h"
#include "qtedge/addresses.h"

namespace kw {

namespace {

using namespace command_line;

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

std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

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

const CommandLineEntry& TicketEntry() {
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.kind == Kind::Ticket) return entry;
  }
  throw std::logic_error("the command line has no ticket entry");
}

}  // namespace

namespace command_line {

const CommandLineEntry* Find(std::string_view name) {
  for (const CommandLineEntry& entry : kCommandLine) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
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

}  // namespace command_line

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

// The arguments are UTF-8 on every system (ProgramArguments); Windows' local 8-bit code page is
// another.
std::string ResultsPageValue(std::string_view name, const std::string& text) {
  const std::optional<QString> url = ResultsPageUrlFromOption(QString::fromUtf8(text));
  if (!url) throw UsageError(NoWebAddress(name, text));
  return url->toStdString();
}

std::string ServiceValue(std::string_view name, const std::string& text) {
  const QUrl url(QString::fromUtf8(text), QUrl::StrictMode);
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
      line.drawsFile = PathFromUtf8(commandValue);
    }
  }
  for (auto& [name, value] : options) {
    if (name == "--from") {
      line.from = DateValue(name, value);
    } else if (name == "--to") {
      line.to = DateValue(name, value);
    } else if (name == "--archive") {
      line.archive = PathFromUtf8(value);
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

std::string VersionText() { return std::string("Kreuzwart ") + kVersion; }

}  // namespace kw
