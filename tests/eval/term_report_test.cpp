#include "eval/term_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error.h"
#include "eval/today_report.h"
#include "tests/support/builders.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

using test::Day;

Drawing DrawingOf(Date date, std::array<uint8_t, 6> numbers, std::optional<uint8_t> superzahl,
                  std::optional<uint8_t> zusatzzahl = std::nullopt) {
  return test::DrawingOf(date, numbers, superzahl, {}, {}, {}, zusatzzahl);
}

// Game 3 holds 3, 15, 22 and 40; the Superzahl digit is 5; Spiel 77 is played.
TicketPlay Ticket() {
  TicketPlay ticket;
  ticket.games[2] = {3, 15, 22, 40, 45, 46};
  ticket.games[6] = {1, 2, 7, 8, 9, 10};
  ticket.lotNumber = "4711235";
  ticket.spiel77 = true;
  return ticket;
}

const Date kSat = Day(2026, 12, 5);
const Date kWed = Day(2026, 12, 9);
const Date kNextSat = Day(2026, 12, 12);

std::vector<TermDay> ThreeDays() {
  Drawing won = DrawingOf(kSat, {3, 15, 22, 31, 41, 49}, 5);
  won.spiel77 = "0000035";
  won.quotas = {{PrizeGame::Lotto, 7, 100000, 1260}};
  return {TermDay::Drawn(won), TermDay::Missing(kWed), TermDay::NotYetDrawn(kNextSat)};
}

TEST(TermReportTest, HeaderPerDayLinesIndentedTotalLast) {
  const TermCheck term = CheckTerm(Ticket(), ThreeDays());
  EXPECT_EQ(TermReportLines(term),
            (Lines{
                "Sa 05.12.2026: 3 15 22 31 41 49, Superzahl 5",
                "  Spiel 3: 3 Richtige + Superzahl, Gewinnklasse VII, 12,60 \x80",
                "  Spiel 77: 2 Endziffern, Gewinnklasse VI, 17,00 \x80",
                "Mi 09.12.2026: fehlt im Archiv",
                "Sa 12.12.2026: noch nicht gezogen",
                "Gewinn insgesamt: 29,60 \x80; 1 Ziehung fehlt im Archiv",
            }));
  EXPECT_EQ(term.totals, (CheckTotals{.cents = 2960, .drawingsMissing = 1}));
  EXPECT_EQ(term.notYetDrawn, 1);
  ASSERT_EQ(term.days.size(), 3u);
  EXPECT_TRUE(term.days[0].check.has_value());
  EXPECT_FALSE(term.days[1].check.has_value());
}

TEST(TermReportTest, HeaderTellsWhatTheDrawingHolds) {
  // 2012: the Zusatzzahl before the Superzahl; 2012 without it: its plan asks for one;
  // 1998: no plan known, so nothing is asked; today without a Superzahl.
  const std::vector<TermDay> days = {
      TermDay::Drawn(DrawingOf(Day(1998, 1, 3), {1, 2, 3, 4, 5, 6}, std::nullopt)),
      TermDay::Drawn(DrawingOf(Day(2012, 6, 2), {49, 3, 15, 22, 31, 40}, 0, 7)),
      TermDay::Drawn(DrawingOf(Day(2012, 6, 6), {3, 15, 22, 31, 40, 49}, 9)),
      TermDay::Drawn(DrawingOf(kSat, {3, 15, 22, 31, 40, 49}, std::nullopt)),
  };
  TicketPlay ticket = Ticket();
  ticket.spiel77 = false;
  EXPECT_EQ(TermReportLines(CheckTerm(ticket, days)),
            (Lines{
                "Sa 03.01.1998: 1 2 3 4 5 6, Superzahl nicht bekannt",
                "  kein Gewinn",
                "Sa 02.06.2012: 3 15 22 31 40 49, Zusatzzahl 7, Superzahl 0",
                "  Spiel 3: 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt",
                "Mi 06.06.2012: 3 15 22 31 40 49, Zusatzzahl nicht bekannt, Superzahl 9",
                "  Spiel 3: 4 Richtige, Gewinnklasse nicht bekannt",
                "Sa 05.12.2026: 3 15 22 31 40 49, Superzahl nicht bekannt",
                "  Spiel 3: 4 Richtige, Gewinnklasse nicht bekannt",
                "Gewinn insgesamt: 0,00 \x80 (dazu 1 Gewinn mit noch unbekannter Quote und 2 "
                "Spiele mit unbekannter Gewinnklasse)",
            }));
}

TEST(TermReportTest, EmptyTermIsItsTotal) {
  EXPECT_EQ(TermReportLines(CheckTerm(Ticket(), {})), (Lines{"Gewinn insgesamt: 0,00 \x80"}));
}

// A quota may still come up to a week after its drawing; after that the archive lacks it, and
// where the service can give it, the term names the first such day for the fetch.
TEST(TermReportTest, AQuotaPendsForAWeekThenIsMissingFromTheArchive) {
  Drawing drawn = DrawingOf(kSat, {3, 15, 22, 31, 41, 49}, 1);  // class VIII, paid by quota
  drawn.spiel77 = "9999999";
  Drawing old = DrawingOf(Day(2012, 6, 2), {3, 15, 22, 31, 41, 49}, 1, 7);
  old.spiel77 = "9999999";
  Drawing drawnLater = drawn;
  drawnLater.date = kWed;
  const struct {
    std::vector<TermDay> days;
    Date today;
    const char* line;
    std::optional<Date> toFetch;
  } cases[] = {
      {{TermDay::Drawn(drawn)},
       Day(2026, 12, 12),
       "  Spiel 3: 3 Richtige, Gewinnklasse VIII, Quote noch nicht bekannt",
       std::nullopt},
      {{TermDay::Drawn(drawn)},
       Day(2026, 12, 13),
       "  Spiel 3: 3 Richtige, Gewinnklasse VIII, Quote fehlt im Archiv",
       kSat},
      // Two such days: the fetch begins with the first.
      {{TermDay::Drawn(drawn), TermDay::Drawn(drawnLater)},
       Day(2026, 12, 20),
       "  Spiel 3: 3 Richtige, Gewinnklasse VIII, Quote fehlt im Archiv",
       kSat},
      // Before May 2013 the service's quotas cannot be read: nothing to fetch.
      {{TermDay::Drawn(old)},
       Day(2026, 12, 13),
       "  Spiel 3: 3 Richtige, Gewinnklasse VIII, Quote fehlt im Archiv",
       std::nullopt},
  };
  for (const auto& c : cases) {
    const TermCheck term = CheckTerm(Ticket(), c.days, c.today);
    const Lines lines = TermReportLines(term);
    EXPECT_EQ(lines[1], c.line) << FormatShortDate(c.today);
    EXPECT_EQ(term.firstQuotaToFetch, c.toFetch) << FormatShortDate(c.today);
  }
  const TermCheck late = CheckTerm(Ticket(), {TermDay::Drawn(drawn)}, Day(2026, 12, 13));
  EXPECT_EQ(late.days[0].summary.kind, DaySummary::Kind::Won);
  EXPECT_EQ(TotalLine(late.totals),
            "Gewinn insgesamt: 0,00 \x80 (dazu 1 Gewinn ohne Quote im Archiv)");
}

// Missing add-on numbers are counted by days, apart from the games.
TEST(TermReportTest, MissingAddOnNumbersAreCountedAsDays) {
  const struct {
    int spiel77;
    int super6;
    const char* text;
  } cases[] = {
      {16, 16, "Spiel 77 und Super 6: Gewinnzahlen fehlen an 16 Tagen"},
      {1, 1, "Spiel 77 und Super 6: Gewinnzahlen fehlen an 1 Tag"},
      {0, 2, "Super 6: Gewinnzahl fehlt an 2 Tagen"},
      {3, 1, "Spiel 77: Gewinnzahl fehlt an 3 Tagen; Super 6: Gewinnzahl fehlt an 1 Tag"},
      {0, 0, ""},
  };
  for (const auto& c : cases) {
    CheckTotals totals;
    totals.spiel77NumberMissing = c.spiel77;
    totals.super6NumberMissing = c.super6;
    EXPECT_EQ(MissingAddOnNumbersText(totals), c.text) << c.spiel77 << " " << c.super6;
  }
  // A twelve-game ticket on days without the add-on numbers: no game of unknown class.
  TicketPlay twelve = Ticket();
  twelve.super6 = true;
  for (Game& game : twelve.games) game = {1, 2, 7, 8, 9, 10};
  const TermCheck term =
      CheckTerm(twelve, {TermDay::Drawn(DrawingOf(kSat, {11, 12, 13, 14, 16, 17}, 1)),
                         TermDay::Drawn(DrawingOf(kWed, {11, 12, 13, 14, 16, 17}, 1))});
  EXPECT_EQ(TotalLine(term.totals),
            "Gewinn insgesamt: 0,00 \x80; Spiel 77 und Super 6: Gewinnzahlen fehlen an 2 Tagen");
  EXPECT_EQ(TermReportLines(term)[3], "  kein Gewinn in den Spielen");
}

TEST(TermReportTest, SummaryPerDayForTheList) {
  std::vector<TermDay> days = ThreeDays();
  Drawing nothing = DrawingOf(Day(2026, 12, 16), {11, 12, 13, 14, 16, 17}, 1);
  nothing.spiel77 = "1111111";
  Drawing open = DrawingOf(Day(2026, 12, 19), {11, 12, 13, 14, 16, 17}, 1);
  Drawing jackpot = DrawingOf(Day(2026, 12, 23), {3, 15, 22, 40, 45, 46}, 5);
  jackpot.spiel77 = "0000005";
  Drawing addOnOnly = DrawingOf(Day(2026, 12, 26), {11, 12, 13, 14, 16, 17}, 1);
  addOnOnly.spiel77 = "0001235";
  // A game's win stays what the day is known for when the Spiel 77 number is missing.
  const Drawing wonWithoutSpiel77 = DrawingOf(Day(2026, 12, 30), {3, 15, 22, 31, 41, 49}, 5);
  days.push_back(TermDay::Drawn(nothing));
  days.push_back(TermDay::Drawn(open));  // Spiel 77 number not known
  days.push_back(TermDay::Drawn(jackpot));
  days.push_back(TermDay::Drawn(addOnOnly));
  days.push_back(TermDay::Drawn(wonWithoutSpiel77));
  const TermCheck term = CheckTerm(Ticket(), days);

  Lines texts;
  for (const TermDayResult& day : term.days) texts.push_back(SummaryText(day.summary));
  EXPECT_EQ(texts, (Lines{
                       "Gewinnklasse VII, 29,60 \x80",
                       "fehlt im Archiv",
                       "noch nicht gezogen",
                       "kein Gewinn",
                       "kein Gewinn in den Spielen",
                       "Gewinnklasse I, 5,00 \x80 (dazu 1 Gewinn mit noch unbekannter Quote)",
                       "Spiel 77, Gewinnklasse IV, 777,00 \x80",
                       "Gewinnklasse VII, 0,00 \x80 (dazu 1 Gewinn mit noch unbekannter Quote)",
                   }));
  const DaySummary& best = term.days[5].summary;
  EXPECT_EQ(best.kind, DaySummary::Kind::Won);
  EXPECT_EQ(best.bestGame, PrizeGame::Lotto);
  EXPECT_EQ(best.bestClass, 1);
  EXPECT_EQ(term.days[4].summary.kind, DaySummary::Kind::NoWinInGames);
  // Super 6 alone, its number not drawn, is not known either.
  TicketPlay super6Only = Ticket();
  super6Only.spiel77 = false;
  super6Only.super6 = true;
  EXPECT_EQ(SummaryText(CheckTerm(super6Only, {TermDay::Drawn(open)}).days[0].summary),
            "kein Gewinn in den Spielen");
  EXPECT_EQ(term.totals, (CheckTotals{2960 + 500 + 77700, 2, 0, 0, 0, 2, 0, 1}));
}

TEST(TermReportTest, SystemWinsCountInTheDayAndTheTerm) {
  TicketPlay ticket;
  ticket.lotNumber = "4711235";
  ticket.systems = ReadSystems({"", "03 15 22 31 40 45 46 47", "", ""});
  Drawing drawing = DrawingOf(kSat, {3, 15, 22, 31, 41, 49}, 5);
  drawing.quotas = {{PrizeGame::Lotto, 7, 100000, 1260}};
  const TermCheck term = CheckTerm(ticket, {TermDay::Drawn(drawing), TermDay::Missing(kWed)});
  // 6 rows of V (quota pending), 16 of VII at 12,60 and 6 of IX at 6,00.
  EXPECT_EQ(SummaryText(term.days[0].summary),
            "Gewinnklasse V, 237,60 \x80 (dazu 6 Gewinne mit noch unbekannter Quote)");
  EXPECT_EQ(term.totals, (CheckTotals{.cents = 23760, .awaitingQuota = 6, .drawingsMissing = 1}));
}

TEST(TermReportTest, DayTwiceOrOutOfOrderIsRefused) {
  const TermDay sat = TermDay::Missing(kSat);
  const TermDay wed = TermDay::NotYetDrawn(kWed);
  EXPECT_THROW(CheckTerm(Ticket(), {sat, sat}), Error);
  EXPECT_THROW(CheckTerm(Ticket(), {wed, sat}), Error);
  EXPECT_NO_THROW(CheckTerm(Ticket(), {sat, wed}));
}

TEST(TermReportTest, RefusedDrawingRefusesTheTerm) {
  std::vector<TermDay> days = ThreeDays();
  days.push_back(TermDay::Drawn(DrawingOf(Day(2026, 12, 16), {1, 1, 2, 3, 4, 5}, 1)));
  EXPECT_THROW(CheckTerm(Ticket(), days), DrawingRefused);
}

TEST(TermReportTest, TermDaysTakeTheStoredDrawingsAndTodayDecidesWhatIsStillToCome) {
  const Date wed2 = Day(2026, 12, 2);
  const std::vector<Date> days = {wed2, kSat, kWed, kNextSat};
  // The archive's range may hold a drawing of another day (Saturdays only played, say).
  const std::vector<Drawing> stored = {DrawingOf(Day(2026, 11, 28), {1, 2, 3, 4, 5, 6}, 1),
                                       DrawingOf(kSat, {3, 15, 22, 31, 41, 49}, 5),
                                       DrawingOf(kWed, {7, 8, 9, 10, 11, 12}, 2)};
  auto states = [&](Date today) {
    std::vector<TermDay::State> result;
    for (const TermDay& day : TermDaysOf(days, stored, today)) result.push_back(day.state());
    return result;
  };
  using S = TermDay::State;
  EXPECT_EQ(states(kWed), (std::vector<S>{S::Missing, S::Drawn, S::Drawn, S::NotYetDrawn}))
      << "today's drawing counts once it is stored";
  EXPECT_EQ(states(kSat), (std::vector<S>{S::Missing, S::Drawn, S::Drawn, S::NotYetDrawn}));
  EXPECT_EQ(states(wed2), (std::vector<S>{S::NotYetDrawn, S::Drawn, S::Drawn, S::NotYetDrawn}))
      << "today without its drawing is still to come, not missing";
  EXPECT_EQ(TermDaysOf(days, stored, kWed)[1].drawing()->numbers[0], 3);

  TicketTerm term;
  term.spiel77.value = false;
  term.super6.value = true;
  EditorTicket editor;
  editor.lotNumber = "471123599";
  editor.games[0] = {1, 2, 3, 4, 5, 6};
  editor.systems = ReadSystems({"", "", "01 02 03 04 05 06 07", "x"});
  const TicketPlay play = PlayOf(editor, term);
  EXPECT_EQ(play.systems, editor.systems);
  EXPECT_EQ(play.lotNumber, "4711235") << "a longer lot number plays its first seven digits";
  EXPECT_FALSE(play.spiel77);
  EXPECT_TRUE(play.super6);
  EXPECT_EQ(play.games[0], editor.games[0]);
}

}  // namespace
}  // namespace kw
