#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/drawing.h"
#include "core/records.h"
#include "core/ticket_term.h"
#include "eval/today_check.h"

namespace kw {

// A ticket checked over its term: every drawing day of it, drawn, missing from the archive or
// still to come, with one report that the term tab and the command line print alike:
//   Sa 06.12.2026: 3 15 22 31 40 49, Superzahl 5
//     Spiel 3: 3 Richtige + Superzahl, Gewinnklasse VII, 12,60 €
//   Mi 10.12.2026: fehlt im Archiv
//   Sa 13.12.2026: noch nicht gezogen
//   Gewinn insgesamt: 12,60 €

// One drawing day of the term.
class TermDay {
 public:
  enum class State { Drawn, Missing, NotYetDrawn };

  static TermDay Drawn(Drawing drawing);
  static TermDay Missing(Date date);      // drawn, but the archive does not hold it
  static TermDay NotYetDrawn(Date date);  // the day is still to come

  Date date() const { return date_; }
  State state() const { return state_; }
  const Drawing* drawing() const { return drawing_ ? &*drawing_ : nullptr; }

 private:
  TermDay(Date date, State state, std::optional<Drawing> drawing)
      : date_(date), state_(state), drawing_(std::move(drawing)) {}
  Date date_;
  State state_;
  std::optional<Drawing> drawing_;
};

// What the term tab's list shows for one day.
struct DaySummary {
  enum class Kind {
    Won,            // at least one win of a known class
    ClassNotKnown,  // no known win, but a class that cannot be told
    NoWinInGames,   // no game won; what Spiel 77 or Super 6 won is not known (no number)
    NoWin,
    Missing,
    NotYetDrawn,
  };
  Kind kind = Kind::NoWin;
  PrizeGame bestGame = PrizeGame::Lotto;  // for Won: the best class, 6 aus 49 before Spiel 77
  int bestClass = 0;                      // before Super 6, the highest class within a game
  CheckTotals totals;                     // that drawing's
};

// The day's result as a list cell names it, the amount standing in a column of its own:
// "Gewinnklasse VII", "Spiel 77, Gewinnklasse VI" ("Spiel 77, Kl. VI" where the room is short),
// or what SummaryText says of a day without a win.
std::string SummaryCellText(const DaySummary& summary, bool shortClass = false);

// "Gewinnklasse VII, 18,60 €", "Spiel 77, Gewinnklasse VI, 17,00 €", "Gewinnklasse nicht
// bekannt", "kein Gewinn in den Spielen", "kein Gewinn", "fehlt im Archiv", "noch nicht
// gezogen"; a win with amounts not yet known ends as the total line does, " (dazu 1 Gewinn mit
// noch unbekannter Quote)".
std::string SummaryText(const DaySummary& summary);

struct TermDayResult {
  TermDay day;
  std::optional<DrawingCheck> check;  // for a drawn day
  DaySummary summary;
};

struct TermCheck {
  std::vector<TermDayResult> days;
  CheckTotals totals;  // of every drawn day, and the days the archive lacks
  int notYetDrawn = 0;
  // The first drawn day whose won quota the archive lacks and the results service can give:
  // where "Ziehungen holen" (or --update --from) brings what is missing.
  std::optional<Date> firstQuotaToFetch;
};

// A ticket file's Losnummer as the term check reads it. The editor saves it as typed; the check
// takes its first seven digits, and one that does not begin with seven digits has none: the
// games are checked without the Superzahl, and Spiel 77 and Super 6 are neither checked nor paid.
struct LotNumberReading {
  std::string digits;  // the seven digits the check plays; empty where there are none
  // "Losnummer fehlt", "Losnummer »12345a7« ist keine siebenstellige Zahl", "Losnummer
  // »123456789«: geprüft mit 1234567"; empty for a Losnummer of exactly seven digits.
  std::string line;
  // The same beside the editor's field, whose caption names the Losnummer: "fehlt", "keine
  // siebenstellige Zahl", "geprüft mit 1234567".
  std::string hint;

  bool Usable() const { return !digits.empty(); }
};
LotNumberReading ReadLotNumber(std::string_view typed);

// The ticket as today's check plays it over its term: its games, systems and the seven digits of
// its lot number, with the add-on games the term says where the lot number lets them be checked.
TicketPlay PlayOf(const EditorTicket& ticket, const TicketTerm& term);

// The term's drawing days with what the archive holds for them: a stored drawing is drawn; a day
// without one is still to come from today on (today's drawing is in the evening), missing before.
std::vector<TermDay> TermDaysOf(const std::vector<Date>& days, const std::vector<Drawing>& stored,
                                Date today);

// Checks the ticket on every day, in the order given, which must be that of the dates with no
// day twice (kw::Error otherwise: a day counted twice would count its win twice). Throws
// DrawingRefused for a drawing that DrawingProblem refuses: no total leaves one out silently.
// today tells quotas that may still come from those the archive lacks (CheckDrawing).
TermCheck CheckTerm(const TicketPlay& ticket, const std::vector<TermDay>& days,
                    std::optional<Date> today = std::nullopt);

// "Sa 06.12.2026: 3 15 22 31 40 49, Superzahl 5"; before 2013-05-04 with ", Zusatzzahl 7"
// before the Superzahl; what a drawn day lacks is "Superzahl nicht bekannt" (and "Zusatzzahl
// nicht bekannt" where its plan asks for one); "Sa 06.12.2026: fehlt im Archiv",
// "Sa 06.12.2026: noch nicht gezogen".
std::string DayHeaderLine(const TermDayResult& day);

// A day's header and, for a drawn day, its lines indented by two blanks, without its total.
void AppendDayLines(const TermDayResult& day, std::vector<std::string>& lines);

// Every day's lines and last the term's total line, unindented.
std::vector<std::string> TermReportLines(const TermCheck& term);

}  // namespace kw
