#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/records.h"

namespace kw {

// The ticket editor's fields as texts (Windows-1252 bytes), and what the editor does with them:
// show a ticket, read the fields back into its working copy, check them before a save. No window
// is needed for any of it.

constexpr int kEditorNumberFields = kGameCount * kNumbersPerGame;

struct EditorFields {
  // Edit1..Edit72: game 1 positions 1 to 6, then game 2, and so on.
  std::array<std::string, kEditorNumberFields> numbers;
  std::string lotNumber;   // "Losnummer:"
  std::string expiryDate;  // "Gültig bis (TT.MM.JJJJ):"
  SystemTexts systems;     // "System 1:" to "System 4:", the numbers separated by blanks

  friend bool operator==(const EditorFields&, const EditorFields&) = default;
};

// A number field that does not convert, or an expiry that is no date.
extern const char* const kEditorConversionMessage;
// Any other failure while the fields are read.
extern const char* const kEditorDataMessage;

// "Die Zahl in Spiel <game> an Stelle <position> ist ungültig !", both counted from 1.
std::string EditorRangeMessage(int game, int position);

// What ShowEditorTicket puts into the fields: every number in decimal (0 as "0"), the lot number
// unchanged, the expiry in the short date form, each system's numbers as the game fields show
// theirs (a field that is no full system as it stands).
EditorFields EditorFieldsOf(const EditorTicket& ticket);

// ClearEditor's part on the record: no numbers, no systems, no lot number, expiry today.
void ClearEditorTicket(EditorTicket& ticket, Date today);

// Reads the fields into the ticket, one after the other: each number field trimmed and converted,
// its low eight bits stored; the lot number as it stands; the expiry trimmed and parsed; the
// system fields as ReadSystems reads them, which never fails. The first failure ends the reading;
// what was stored before it stays, the rest keeps its earlier values.
// Returns the message to show for a failure, nothing when every field was read.
std::optional<std::string> ReadEditorFields(const EditorFields& fields, EditorTicket& ticket,
                                            int currentYear);

// "Spiel 3: eine 0 steht neben anderen Zahlen; ein leeres Spiel hat sechs Nullen."
std::string EditorZeroAmongNumbersMessage(int game);
// "Spiel 1: die 13 steht zweimal."
std::string EditorRepeatedNumberMessage(int game, int number, int times);

// "System 2: die 13 steht zweimal.", the reason ReadSystems gives.
std::string EditorSystemMessage(int system, const std::string& problem);

// The fields as the checks name them: the number fields 0 to 71, then these two, then the system
// fields 1 to 4.
constexpr int kEditorLotNumberField = kEditorNumberFields;
constexpr int kEditorExpiryField = kEditorNumberFields + 1;
constexpr int kEditorFirstSystemField = kEditorNumberFields + 2;

// One problem the checks found: its message and the field that gets the focus.
struct EditorProblem {
  std::string message;
  int field = 0;

  friend bool operator==(const EditorProblem&, const EditorProblem&) = default;
};

// The checks of "Speichern als": ReadEditorFields, then the range check of every number field
// whose text is an integer, on the number as typed: anything outside 0..49 gets its own message,
// in field order, whether or not the reading failed. Then each game whose six numbers are all
// within range: a 0 among other numbers (only six zeros make an empty game) and a number that
// stands more than once each get a message. Last each system field that holds text but no full
// system, with its reason. The ticket may be saved only when nothing comes back.
std::vector<EditorProblem> CheckEditorFields(const EditorFields& fields, EditorTicket& ticket,
                                             int currentYear);

}  // namespace kw
