#pragma once

// What the parser, --help and the manual page share of the table of the command line; used by
// those three files only.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_line.h"

namespace kw::command_line {

using Kind = CommandLineEntry::Kind;

inline constexpr std::string_view kProgram = "kreuzwart";

// What the program is, broken for the terminal; the manual page fills it anew.
inline constexpr std::string_view kDescription =
    "Kreuzwart pr\u00fcft Spielscheine von Lotto 6 aus 49 gegen die letzten Ziehungen\n"
    "am Mittwoch und am Samstag und \u00fcber ihre ganze Laufzeit gegen das Archiv der\n"
    "Ziehungen. Ohne Befehl \u00f6ffnet es seine Fenster; ein Befehl tut das Seine ohne\n"
    "Fenster und ohne Bildschirm.\n";

// The entries by kind, each under its heading, in this order.
inline constexpr std::array<std::pair<Kind, std::string_view>, 3> kSections = {{
    {Kind::Ticket, "Spielschein"},
    {Kind::Command, "Befehle"},
    {Kind::Option, "Optionen"},
}};

// The entry of that name ("--update"), or nothing.
const CommandLineEntry* Find(std::string_view name);

// Whether the ticket or option goes with the command; with the windows for an empty command.
bool GoesWith(const CommandLineEntry& option, std::string_view command);

// The entry as --help shows it: "--from TT.MM.JJJJ", "--check SCHEIN.sch [SCHEIN.sch ...]".
std::string Form(const CommandLineEntry& entry);

// One part of a form of the command line after the program's name.
struct UsagePart {
  const CommandLineEntry* entry;
  bool optional;  // shown in brackets
};

// The command with its value, then the ticket and the options that go with it.
std::vector<UsagePart> UsageParts(std::string_view command);

}  // namespace kw::command_line
