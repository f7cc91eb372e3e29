#pragma once

#include <string>
#include <string_view>

#include "core/profile.h"
#include "core/records.h"

namespace kw {

// The ticket file (*.sch): section "Schein", keys "Spiel1" to "Spiel12", "Losnummer", "Ablauf".
// Paths are Windows-1252 text, as the settings file stores them.

inline constexpr const char* kTicketSection = "Schein";
inline constexpr const char* kGameKeyPrefix = "Spiel";  // "Spiel1" to "Spiel12"
inline constexpr const char* kLotNumberKey = "Losnummer";
inline constexpr const char* kExpiryKey = "Ablauf";

// A ticket file named on the command line (UTF-8) as the readers take it. Throws Error
// "Der Dateiname '...' enthält Zeichen, die Kreuzwart nicht lesen kann" when Windows-1252 lacks
// one of its characters: no other file may stand in for it.
std::string TicketPathFromUtf8(std::string_view name);

// Reads the value of game gameNumber (1 to 12): the pieces at columns 1-2, 4-5, 7-8, 10-11,
// 13-14, 16-17 are integers, stored one by one. An empty value is an empty game.
// Throws ConversionError at the first piece that is no number or a negative one, naming it;
// earlier numbers stay stored.
void ReadGameValue(std::string_view value, int gameNumber, Game& game);

// The 18-character form "03 11 24 30 41 49 "; empty when any number is 0.
std::string FormatGameValue(const Game& game);

// Reads the file into the current ticket: ClearTicket(true) first, whatever follows, then games,
// lot number and expiry date one by one, path last. Returns once the ticket was read whole. The
// first failure (ConversionError) ends the reading and leaves what was read before it; path then
// stays empty. A missing file reads as an empty one, so it fails on the empty expiry date. A file
// that must not be read (a folder, a device, a pipe, a file over 4 MB) throws ReadError with its
// reason right after the ticket was cleared.
void LoadTicket(Ticket& ticket, const std::string& path, int currentYear);

// The system fields "System1" to "System4" of a ticket file read (see ReadSystems); they never
// fail the reading: a field that is no full system is kept with its reason.
TicketSystems ReadTicketSystems(const Profile& file);

// The file side of the editor's loader: games, systems, the whole lot number, the expiry date.
// Throws ConversionError like LoadTicket; fields read before the failure stay.
void ReadEditorTicketFile(EditorTicket& ticket, const std::string& path, int currentYear);

// The writing step of "Speichern als": Spiel1..Spiel12, "Losnummer", "Ablauf" and the system
// fields (a full system in the file's form, anything else as it stands; an empty field only where
// the file holds something to empty, so that a ticket without systems gets no keys of them),
// every other key
// and section of an existing file kept. A new file starts from section "Schein" of the ticket
// file it was made from (basedOn, when given), so that the keys the editor does not write, the
// term among them, stay with the ticket. A ticket the readers accepted reads back the same,
// except that a game holding a 0 is written, and so read back, as an empty game.
// replaceWhole: the file at path is another ticket the person chose to replace; it becomes this
// ticket whole, as a new file would, keeping none of its own keys.
// Throws WriteError when the file cannot be written, ReadError when basedOn is there but must not
// be read; the file then stays as it was.
void WriteTicketFile(const EditorTicket& ticket, const std::string& path,
                     const std::string& basedOn = {}, bool replaceWhole = false);

}  // namespace kw
