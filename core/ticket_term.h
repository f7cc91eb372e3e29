#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"
#include "core/error.h"
#include "core/profile.h"
#include "core/records.h"

namespace kw {

// The ticket's term: from its first drawing day to its "Ablauf", on the days it plays, with or
// without the add-on games. The ticket file holds it in optional keys of section "Schein", beside
// the keys the editor writes; a file without them (every file the Windows program wrote) plays
// one week up to "Ablauf", on Wednesday and Saturday, with Spiel 77 and Super 6.

inline constexpr const char* kTermFirstDayKey = "Beginn";
inline constexpr const char* kTermDrawDaysKey = "Ziehungstage";
inline constexpr const char* kTermSpiel77Key = "Spiel77";
inline constexpr const char* kTermSuper6Key = "Super6";

// One setting of the term: the value that counts, whether it is assumed because the file does
// not give it (or gives something that cannot be read), and why a value of the file was not
// taken (empty when there was nothing wrong).
template <class T>
struct TermSetting {
  T value{};
  bool assumed = true;
  std::string problem;  // Windows-1252, shown beside the field
};

struct TicketTerm {
  TermSetting<Date> firstDay;
  TermSetting<DrawDays> drawDays;
  TermSetting<bool> spiel77;
  TermSetting<bool> super6;
  Date lastDay;  // "Ablauf", the last day the ticket takes part
};

// "Mittwoch", "Samstag", "Mittwoch und Samstag", as the file keeps them.
const char* DrawDaysText(DrawDays days);
const char* YesNoText(bool yes);  // "ja", "nein"

// The term of a ticket whose file has been read, with its expiry. Assumed where a key is missing
// or cannot be read: the first day is the first drawing day of the week that ends with the
// expiry. A first day after the expiry cannot be a term's and counts as unreadable.
TicketTerm ReadTicketTerm(const Profile& ticketFile, Date expiry);

// A ticket file read for the check of its term: the games, the whole lot number and the expiry
// as the editor reads them, and the term.
struct TermTicket {
  EditorTicket ticket;
  TicketTerm term;
};

// A ticket file the check of its term cannot take, with the reason that follows the file's name:
// "Datei fehlt", "Ablauf »31.02.2026« ist kein Datum", "ist keine Schein-Datei (ein Ordner)".
class TicketRefused : public Error {
 public:
  using Error::Error;
};
inline constexpr const char* kTicketFileMissing = "Datei fehlt";

// Reads the file once. Throws TicketRefused for a missing file, one that is no ticket (a folder,
// a device, a file far too large, one without section "Schein"), a game that is no six numbers
// and an "Ablauf" that is missing or no date: the first of them, as the readers of the windows
// stop at the first.
TermTicket ReadTermTicket(const std::string& ticketPath, int currentYear);

// The drawing days of the term, first to last, in date order.
std::vector<Date> TermDrawingDays(const TicketTerm& term);

// What a ticket whose Losnummer cannot be read is checked without: said in the term line and in
// the state of the ticket.
inline constexpr const char* kWithoutLotNumber = "ohne Losnummer";

// One line telling the term, with "angenommen" after every assumed setting:
// "Laufzeit: 16.12.2026 bis 19.12.2026, Ziehungstage: Mittwoch und Samstag, Spiel 77: ja,
// Super 6: nein". Without a Losnummer an add-on game the term plays is "nicht geprüft (ohne
// Losnummer)": nothing can match it, so the check leaves it out.
std::string TermLine(const TicketTerm& term, bool withoutLotNumber = false);

// Writes one setting into the ticket file (path as the settings keep it, Windows-1252), keeping
// every other line. Throws WriteError "Unable to write to <path>" like every save.
void WriteTermFirstDay(const std::string& ticketPath, Date firstDay);
void WriteTermDrawDays(const std::string& ticketPath, DrawDays days);
void WriteTermSpiel77(const std::string& ticketPath, bool played);
void WriteTermSuper6(const std::string& ticketPath, bool played);

}  // namespace kw
