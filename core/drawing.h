#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/lottery_rules.h"

namespace kw {

// One real drawing of Lotto 6 aus 49 with its add-on games, as today's check, the archive and
// the results service see it. It stands beside DrawResult, which holds the drawing as the main
// window's fields and ZW.INI keep it (typed text, 0 for "none"); this one holds only what was
// really drawn, and says so where something is not known.

// "6 aus 49", "Spiel 77", "Super 6", as messages name the games.
const char* PrizeGameName(PrizeGame game);

// A published quota: how many winners a class had and what each one gets.
struct Quota {
  PrizeGame game = PrizeGame::Lotto;
  int prizeClass = 0;   // 1 (class I) to 9 (class IX)
  int64_t winners = 0;  // number of winners
  int64_t centsPerWinner = 0;

  friend bool operator==(const Quota&, const Quota&) = default;
};

struct Drawing {
  Date date;
  std::array<uint8_t, kNumbersPerGame> numbers{};  // in the order they were drawn, each 1 to 49
  std::optional<uint8_t> zusatzzahl;               // drawn until 2013-05-01
  std::optional<uint8_t> superzahl;                // 0 to 9, drawn since 1991-12-07
  std::optional<std::string> spiel77;              // seven digits, where known
  std::optional<std::string> super6;               // six digits, where known
  std::vector<Quota> quotas;  // where published; any order, one row per game and class

  // The quota of a class, or nothing when it is not (yet) known.
  const Quota* QuotaOf(PrizeGame game, int prizeClass) const;

  friend bool operator==(const Drawing&, const Drawing&) = default;
};

// Why a drawing cannot be one, as a German message (Windows-1252), or nothing when it can:
// each number 1 to 49 and none twice, a Zusatzzahl 1 to 49 that is none of the six, a Superzahl
// 0 to 9, Spiel 77 of seven digits and Super 6 of six, quotas of classes 1 to 9 (1 to 7 for
// Spiel 77, 1 to 6 for Super 6) with no negative figures and no class twice.
std::optional<std::string> DrawingProblem(const Drawing& drawing);

// The first drawing with a Superzahl and the last with a Zusatzzahl: from the Saturday after
// that, the Superzahl took the Zusatzzahl's place in the classes.
Date FirstSuperzahlDay();
Date LastZusatzzahlDay();

// Quotas are published a day or two after the drawing (Saturday's on Monday). Up to a week
// after it they may still come; after that a drawing without them lacks them for good, until
// somebody fetches them.
bool QuotasMayStillCome(Date drawing, Date today);

// The six numbers as a person reads them, ascending as the lottery prints them:
// "3 15 22 31 40 49". The drawn order stays in the value, the archive and the export.
std::string NumbersText(const Drawing& drawing);

// The whole drawing as messages and lists name it: "3 15 22 31 40 49, Zusatzzahl 7,
// Superzahl 5, Spiel 77 1234567, Super 6 123456", each part only where it is known.
std::string DrawingText(const Drawing& drawing);

// "1 Ziehung", "6.012 Ziehungen".
std::string DrawingsText(int64_t count);

// The days of the week a ticket plays, and that the archive looks for.
enum class DrawDays { Wednesday, Saturday, Both };

// Whether the date is a drawing day of Lotto 6 aus 49 among the days given: Saturdays, and
// Wednesdays from 2000-12-06, the first Wednesday drawing of 6 aus 49 as it is played today.
bool IsDrawingDay(Date date, DrawDays days);

}  // namespace kw
