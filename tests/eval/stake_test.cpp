#include "eval/stake.h"

#include <gtest/gtest.h>

#include "eval/ticket_check.h"
#include "tests/support/builders.h"

namespace kw {
namespace {

using test::Day;

// Two games, with or without the add-on games.
TicketPlay TwoGames(bool spiel77, bool super6) {
  TicketPlay ticket;
  ticket.games[0] = {1, 2, 3, 4, 5, 6};
  ticket.games[4] = {7, 8, 9, 10, 11, 12};
  ticket.games[7] = {0, 8, 9, 10, 11, 12};  // not played: its first number is 0
  ticket.spiel77 = spiel77;
  ticket.super6 = super6;
  return ticket;
}

// Each price on the last day before it changed and on the first day after.
TEST(StakeTest, EachDayAtTheDaysPrices) {
  const struct {
    Date day;
    bool spiel77;
    bool super6;
    const char* text;
  } cases[] = {
      {Day(2010, 9, 29), true, false, "3,00 \x80"},  // 2 x 0,75 + 1,50
      {Day(2010, 10, 2), true, false, "4,00 \x80"},  // 2 x 0,75 + 2,50
      {Day(2013, 5, 1), false, false, "1,50 \x80"},
      {Day(2013, 5, 4), false, false, "2,00 \x80"},
      {Day(2013, 5, 1), false, true, "nicht bekannt (Super 6 vor dem 04.05.2013)"},
      {Day(2013, 5, 4), true, true, "5,75 \x80"},  // 2 x 1,00 + 2,50 + 1,25
      {Day(2020, 9, 19), false, false, "2,00 \x80"},
      {Day(2020, 9, 23), false, false, "2,40 \x80"},
      {Day(2001, 12, 29), false, false, "nicht bekannt (Spiele vor dem 01.01.2002)"},
      {Day(2001, 12, 29), true, false,
       "nicht bekannt (Spiele vor dem 01.01.2002, Spiel 77 vor dem 01.01.2002)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StakeText(StakeOfDay(TwoGames(c.spiel77, c.super6), c.day)), c.text)
        << FormatShortDate(c.day);
  }
}

// A term over a change of price adds each day at its own price; a part without a price is named
// once and keeps the whole from being added up.
TEST(StakeTest, ATermAddsItsDaysAndNamesWhatHasNoPrice) {
  const std::vector<Date> days = {Day(2020, 9, 16), Day(2020, 9, 19), Day(2020, 9, 23)};
  EXPECT_EQ(StakeLine(StakeOfDays(TwoGames(true, true), days)),
            "Einsatz ohne Bearbeitungsgeb\xFChr: 17,65 \x80");  // 5,75 + 5,75 + 6,15
  const std::vector<Date> over2013 = {Day(2013, 4, 27), Day(2013, 5, 1), Day(2013, 5, 4)};
  const Stake open = StakeOfDays(TwoGames(false, true), over2013);
  EXPECT_FALSE(open.Known());
  EXPECT_EQ(StakeLine(open),
            "Einsatz ohne Bearbeitungsgeb\xFChr: nicht bekannt (Super 6 vor dem 04.05.2013)");
  Stake all = open;
  all += StakeOfDays(TwoGames(false, true), {Day(2026, 12, 5)});
  EXPECT_EQ(all.unknown.size(), 1u);
  TicketsSum sum{StakeOfDays(TwoGames(true, false), {Day(2026, 12, 5)}), {}, 0};
  sum.won.cents = 2300;
  sum.won.awaitingQuota = 1;
  EXPECT_EQ(AllTicketsLine(sum),
            "Alle Scheine: Einsatz ohne Bearbeitungsgeb\xFChr 4,90 \x80, Gewinn 23,00 \x80 (dazu 1 "
            "Gewinn mit noch unbekannter Quote)");
  sum.unread = 2;
  EXPECT_EQ(AllTicketsLine(sum),
            "Alle Scheine: Einsatz ohne Bearbeitungsgeb\xFChr 4,90 \x80, Gewinn 23,00 \x80 (dazu 1 "
            "Gewinn mit noch unbekannter Quote) (2 Scheine nicht gelesen)");
}

// A system costs its rows, each at the price of one game; a field that is no system costs
// nothing, and the kind names the systems.
TEST(StakeTest, ASystemCostsItsRowsAndIsNamedInTheKind) {
  TicketPlay ticket = TwoGames(false, false);
  ticket.systems = ReadSystems({"01 02 03 04 05 06 07 08", "", "03 04 05 06 07 08 09 10 11 12",
                                "13 13 14 15 16 17 18"});
  // 2 games, 28 rows of the 008 and 210 of the 010: 240 games at 1,20 €.
  EXPECT_EQ(StakeText(StakeOfDay(ticket, Day(2026, 12, 5))), "288,00 \x80");
  EXPECT_EQ(KindText(ticket), "2 Spiele, System 008, System 010");
  EXPECT_EQ(SystemProblems(ticket),
            (std::vector<std::pair<std::string, std::string>>{{"System 4", "die 13 steht zweimal"}}));
  ticket.games = {};
  ticket.systems = {};
  EXPECT_EQ(KindText(ticket), "kein Spiel");
}

}  // namespace
}  // namespace kw
