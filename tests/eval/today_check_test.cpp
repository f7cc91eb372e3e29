#include "eval/today_check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "eval/today_report.h"
#include "tests/support/builders.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

using test::Day;

const Date k2012 = Day(2012, 6, 2);  // old plan, Saturday
const Date k2019 = Day(2019, 6, 1);  // class IX 5 euro
const Date k2021 = Day(2021, 6, 5);  // class IX 6 euro

// The numbers 1 to 6 drawn; the ticket's lot number ends in the Superzahl digit 5.
Drawing DrawingOf(Date date, std::optional<uint8_t> superzahl,
                  std::optional<uint8_t> zusatzzahl = std::nullopt) {
  return test::DrawingOf(date, {4, 1, 6, 2, 5, 3}, superzahl, {}, {}, {}, zusatzzahl);
}

TicketPlay TicketOf(std::vector<Game> games, std::string lotNumber = "1234565") {
  TicketPlay ticket;
  for (std::size_t g = 0; g < games.size(); ++g) ticket.games[g] = games[g];
  ticket.lotNumber = std::move(lotNumber);
  return ticket;
}

const Game kTwo = {1, 2, 10, 11, 12, 13};
const Game kThree = {10, 2, 3, 1, 12, 13};
const Game kFour = {1, 2, 3, 4, 12, 13};
const Game kFourWith7 = {1, 2, 3, 4, 7, 13};
const Game kFive = {1, 2, 3, 4, 5, 13};
const Game kFiveWith7 = {1, 2, 3, 4, 5, 7};
const Game kSix = {6, 5, 4, 3, 2, 1};
const Game kTwoWith7 = {1, 2, 7, 11, 12, 13};

// One game against one drawing: the first line of its report.
struct GameCase {
  const char* name;
  Drawing drawing;
  Game game;
  std::string lotNumber;
  std::string line;
  friend void PrintTo(const GameCase& c, std::ostream* os) { *os << c.name; }
};

class GameClassTest : public ::testing::TestWithParam<GameCase> {};

TEST_P(GameClassTest, ClassedByThePlanOfTheDate) {
  const GameCase& c = GetParam();
  const DrawingCheck check = CheckDrawing(TicketOf({c.game}, c.lotNumber), c.drawing);
  EXPECT_EQ(DrawingReportLines(check).front(), c.line);
}

const std::string kLot = "1234565";
const std::string kLotOf6 = "123456";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Classes, GameClassTest,
    ::testing::Values(
        // 2 hits with the Superzahl: class IX today, nothing before 2013-05-04
        GameCase{"TwoSz2019", DrawingOf(k2019, 5), kTwo, kLot,
                 "Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 5,00 \x80"},
        GameCase{"TwoSz2021", DrawingOf(k2021, 5), kTwo, kLot,
                 "Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 6,00 \x80"},
        GameCase{"TwoSz2012", DrawingOf(k2012, 5, 7), kTwo, kLot, "kein Gewinn"},
        GameCase{"TwoOtherSz2021", DrawingOf(k2021, 4), kTwo, kLot, "kein Gewinn"},
        GameCase{"TwoZz2012", DrawingOf(k2012, 5, 7), kTwoWith7, kLot, "kein Gewinn"},
        GameCase{"TwoSzLastOld", DrawingOf(Day(2013, 5, 1), 5, 7), kTwo, kLot, "kein Gewinn"},
        GameCase{"TwoSzFirstNew", DrawingOf(Day(2013, 5, 4), 5), kTwo, kLot,
                 "Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 5,00 \x80"},
        GameCase{"TwoSzLast2013Plan", DrawingOf(Day(2020, 9, 19), 5), kTwo, kLot,
                 "Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 5,00 \x80"},
        GameCase{"TwoSzFirst2020Plan", DrawingOf(Day(2020, 9, 23), 5), kTwo, kLot,
                 "Spiel 1: 2 Richtige + Superzahl, Gewinnklasse IX, 6,00 \x80"},
        // 6 hits in both plans: the Superzahl decides between I and II
        GameCase{"SixSz2019", DrawingOf(k2019, 5), kSix, kLot,
                 "Spiel 1: 6 Richtige + Superzahl, Gewinnklasse I, Quote noch nicht bekannt"},
        GameCase{"Six2019", DrawingOf(k2019, 4), kSix, kLot,
                 "Spiel 1: 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt"},
        GameCase{"SixSz2012", DrawingOf(k2012, 5, 7), kSix, kLot,
                 "Spiel 1: 6 Richtige + Superzahl, Gewinnklasse I, Quote noch nicht bekannt"},
        GameCase{"Six2012", DrawingOf(k2012, 0, 7), kSix, kLot,
                 "Spiel 1: 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt"},
        // the old plan asks for the Zusatzzahl below class II, and only for it
        GameCase{"FiveZz2012", DrawingOf(k2012, 5, 7), kFiveWith7, kLot,
                 "Spiel 1: 5 Richtige + Zusatzzahl, Gewinnklasse III, Quote noch nicht bekannt"},
        GameCase{"Five2012", DrawingOf(k2012, 5, 7), kFive, kLot,
                 "Spiel 1: 5 Richtige, Gewinnklasse IV, Quote noch nicht bekannt"},
        GameCase{"FourZz2012", DrawingOf(k2012, 5, 7), kFourWith7, kLot,
                 "Spiel 1: 4 Richtige + Zusatzzahl, Gewinnklasse V, Quote noch nicht bekannt"},
        GameCase{"ThreeSz2012", DrawingOf(k2012, 5, 7), kThree, kLot,
                 "Spiel 1: 3 Richtige, Gewinnklasse VIII, Quote noch nicht bekannt"},
        // today the Superzahl takes the Zusatzzahl's place
        GameCase{"FiveSz2019", DrawingOf(k2019, 5), kFive, kLot,
                 "Spiel 1: 5 Richtige + Superzahl, Gewinnklasse III, Quote noch nicht bekannt"},
        GameCase{"Four2019", DrawingOf(k2019, 4), kFour, kLot,
                 "Spiel 1: 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt"},
        GameCase{"ThreeSz2019", DrawingOf(k2019, 5), kThree, kLot,
                 "Spiel 1: 3 Richtige + Superzahl, Gewinnklasse VII, Quote noch nicht bekannt"},
        // a drawing without the extra that decides: the class is not known
        GameCase{"TwoNoSz2019", DrawingOf(k2019, std::nullopt), kTwo, kLot,
                 "Spiel 1: 2 Richtige, Gewinnklasse nicht bekannt"},
        GameCase{"SixNoSz2019", DrawingOf(k2019, std::nullopt), kSix, kLot,
                 "Spiel 1: 6 Richtige, Gewinnklasse nicht bekannt"},
        GameCase{"ThreeNoZz2012", DrawingOf(k2012, 5), kThree, kLot,
                 "Spiel 1: 3 Richtige, Gewinnklasse nicht bekannt"},
        GameCase{"SixNoZz2012", DrawingOf(k2012, 5), kSix, kLot,
                 "Spiel 1: 6 Richtige + Superzahl, Gewinnklasse I, Quote noch nicht bekannt"},
        GameCase{"FiveZzNoSz2012", DrawingOf(k2012, std::nullopt, 7), kFiveWith7, kLot,
                 "Spiel 1: 5 Richtige + Zusatzzahl, Gewinnklasse III, Quote noch nicht bekannt"},
        GameCase{"OneNoSz2019", DrawingOf(k2019, std::nullopt), {1, 20, 21, 22, 23, 24}, kLot,
                 "kein Gewinn"},
        // a ticket without a Superzahl digit never has the Superzahl, drawn or not
        GameCase{"TwoLotOf6", DrawingOf(k2019, 6), kTwo, kLotOf6, "kein Gewinn"},
        GameCase{"SixLotOf6", DrawingOf(k2019, 6), kSix, kLotOf6,
                 "Spiel 1: 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt"},
        GameCase{"SixLetterLot", DrawingOf(k2019, 5), kSix, "123456a",
                 "Spiel 1: 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt"},
        GameCase{"SixLotOf8NoSz", DrawingOf(k2019, std::nullopt), kSix, "12345675",
                 "Spiel 1: 6 Richtige, Gewinnklasse II, Quote noch nicht bekannt"},
        // no plan known before 1999-05-22 and for Wednesdays before 2000-12-06
        GameCase{"ThreeBefore1999", DrawingOf(Day(1999, 5, 15), 5), kThree, kLot,
                 "Spiel 1: 3 Richtige, Gewinnklasse nicht bekannt"},
        GameCase{"TwoSzBefore1999", DrawingOf(Day(1999, 5, 15), 5), kTwo, kLot, "kein Gewinn"},
        GameCase{"FourWednesday2000", DrawingOf(Day(2000, 11, 29), 5, 7), kFour, kLot,
                 "Spiel 1: 4 Richtige, Gewinnklasse nicht bekannt"},
        GameCase{"FourFirstWednesday", DrawingOf(Day(2000, 12, 6), 5, 7), kFour, kLot,
                 "Spiel 1: 4 Richtige, Gewinnklasse VI, Quote noch nicht bekannt"},
        // a hand-written game that is none never wins
        GameCase{"Repeated", DrawingOf(k2019, 5), {1, 2, 3, 4, 5, 5}, kLot,
                 "Spiel 1: kein g\xFCltiges Spiel, nicht ausgewertet"},
        GameCase{"ZeroInside", DrawingOf(k2019, 5), {1, 2, 3, 0, 0, 0}, kLot,
                 "Spiel 1: kein g\xFCltiges Spiel, nicht ausgewertet"},
        GameCase{"Fifty", DrawingOf(k2019, 5), {1, 2, 3, 4, 5, 50}, kLot,
                 "Spiel 1: kein g\xFCltiges Spiel, nicht ausgewertet"},
        GameCase{"ByteMax", DrawingOf(k2019, 5), {255, 1, 2, 3, 4, 5}, kLot,
                 "Spiel 1: kein g\xFCltiges Spiel, nicht ausgewertet"},
        GameCase{"FirstZeroNotPlayed", DrawingOf(k2019, 5), {0, 1, 2, 3, 4, 5}, kLot,
                 "kein Gewinn"}));
// clang-format on

TEST(CheckDrawingTest, InvalidGameNeitherWinsNorCounts) {
  const DrawingCheck check = CheckDrawing(TicketOf({{1, 2, 3, 4, 5, 5}}), DrawingOf(k2019, 5));
  ASSERT_EQ(check.games.size(), 1u);
  EXPECT_FALSE(check.games[0].valid);
  EXPECT_EQ(check.games[0].win.kind, Win::Kind::None);
  EXPECT_EQ(check.totals, CheckTotals{});
  EXPECT_EQ(DrawingReportLines(check), (Lines{"Spiel 1: kein g\xFCltiges Spiel, nicht ausgewertet",
                                              "kein Gewinn", "Gewinn insgesamt: 0,00 \x80"}));
}

TEST(CheckDrawingTest, OnlyPlayedGamesInTicketOrder) {
  const DrawingCheck check =
      CheckDrawing(TicketOf({{}, kTwo, {0, 1, 2, 3, 4, 5}, {}, kSix}), DrawingOf(k2019, 5));
  ASSERT_EQ(check.games.size(), 2u);
  EXPECT_EQ(check.games[0].game, 2);
  EXPECT_EQ(check.games[0].hits, 2);
  EXPECT_TRUE(check.games[0].superzahl);
  EXPECT_EQ(check.games[0].counted, Extra::Superzahl);
  EXPECT_EQ(check.games[0].win, (Win{Win::Kind::Amount, 9, 500}));
  EXPECT_EQ(check.games[1].game, 5);
  EXPECT_EQ(check.games[1].win, (Win{Win::Kind::QuotaPending, 1, 0}));
}

TEST(CheckDrawingTest, ZusatzzahlHeldIsToldAlsoWhereItWinsNothing) {
  const DrawingCheck check = CheckDrawing(TicketOf({kTwoWith7}), DrawingOf(k2012, 5, 7));
  ASSERT_EQ(check.games.size(), 1u);
  EXPECT_TRUE(check.games[0].zusatzzahl);
  EXPECT_EQ(check.games[0].counted, Extra::None);
  EXPECT_EQ(check.games[0].win.kind, Win::Kind::None);
}

TEST(CheckDrawingTest, RefusesWhatNoDrawingCanHold) {
  Drawing zusatzzahl2014 = DrawingOf(Day(2014, 6, 7), 5, 7);
  Drawing repeated = DrawingOf(k2019, 5);
  repeated.numbers[5] = 4;
  Drawing fifty = DrawingOf(k2019, 5);
  fifty.numbers[0] = 50;
  for (const Drawing& drawing : {zusatzzahl2014, repeated, fifty}) {
    const std::optional<std::string> problem = DrawingProblem(drawing);
    ASSERT_TRUE(problem.has_value());
    try {
      CheckDrawing(TicketOf({kSix}), drawing);
      ADD_FAILURE() << "accepted: " << *problem;
    } catch (const DrawingRefused& refused) {
      EXPECT_EQ(refused.what(), *problem);
    }
  }
}

TEST(CheckDrawingTest, QuotasOfTheDrawingGiveTheAmount) {
  Drawing drawing = DrawingOf(k2019, 5);
  drawing.quotas = {
      {PrizeGame::Lotto, 7, 120000, 1260},
      {PrizeGame::Spiel77, 1, 1, 123456789},  // another game's class I: not Lotto's
      {PrizeGame::Lotto, 6, 0, 860000000},    // no winners: the jackpot carried, no quota
      {PrizeGame::Lotto, 1, 0, 0},            // no winners: names no amount
      {PrizeGame::Lotto, 9, 900000, 999},     // a fixed class keeps its amount
  };
  const TicketPlay ticket = TicketOf({kThree, kSix, {1, 2, 3, 4, 20, 21}, kTwo});
  const DrawingCheck check = CheckDrawing(ticket, drawing);
  EXPECT_EQ(DrawingReportLines(check),
            (Lines{
                "Spiel 1: 3 Richtige + Superzahl, Gewinnklasse VII, 12,60 \x80",
                // The published quotas say nobody won class I: no amount, and none to come.
                "Spiel 2: 6 Richtige + Superzahl, Gewinnklasse I, Betrag nicht bekannt",
                "Spiel 3: 4 Richtige + Superzahl, Gewinnklasse V, Quote noch nicht bekannt",
                "Spiel 4: 2 Richtige + Superzahl, Gewinnklasse IX, 5,00 \x80",
                "Gewinn insgesamt: 17,60 \x80 (dazu 1 Gewinn mit noch unbekannter Quote und 1 "
                "Gewinn mit unbekanntem Betrag)",
            }));
  EXPECT_EQ(check.totals, (CheckTotals{1760, 1, 1, 0}));

  drawing.superzahl = 4;
  // Class VI had no winner: the amount beside it is no quota.
  EXPECT_EQ(CheckDrawing(TicketOf({{1, 2, 3, 4, 20, 21}}), drawing).games[0].win.kind,
            Win::Kind::AmountNotKnown);
  drawing.quotas[2] = {PrizeGame::Lotto, 6, 3, 450000};
  EXPECT_EQ(DrawingReportLines(CheckDrawing(TicketOf({{1, 2, 3, 4, 20, 21}}), drawing)),
            (Lines{"Spiel 1: 4 Richtige, Gewinnklasse VI, 4.500,00 \x80",
                   "Gewinn insgesamt: 4.500,00 \x80"}));
}

TEST(CheckDrawingTest, OldPlanPaysEveryClassByQuota) {
  Drawing drawing = DrawingOf(k2012, 5, 7);
  drawing.quotas = {{PrizeGame::Lotto, 8, 90000, 1090}, {PrizeGame::Lotto, 3, 40, 555555}};
  const DrawingCheck check = CheckDrawing(TicketOf({kThree, kFiveWith7, kTwo}), drawing);
  EXPECT_EQ(DrawingReportLines(check),
            (Lines{"Spiel 1: 3 Richtige, Gewinnklasse VIII, 10,90 \x80",
                   "Spiel 2: 5 Richtige + Zusatzzahl, Gewinnklasse III, 5.555,55 \x80",
                   "Gewinn insgesamt: 5.566,45 \x80"}));
}

TEST(CheckDrawingTest, NoWinAtAll) {
  EXPECT_EQ(DrawingReportLines(CheckDrawing(TicketOf({}), DrawingOf(k2019, 5))),
            (Lines{"kein Gewinn", "Gewinn insgesamt: 0,00 \x80"}));
}

// The lot number 1234567 against drawn numbers that agree in the last k digits only.
std::string EndingIn(std::string lotPart, int k) {
  const std::size_t at = lotPart.size() - static_cast<std::size_t>(k) - 1;
  if (k < static_cast<int>(lotPart.size())) lotPart[at] = lotPart[at] == '9' ? '0' : '9';
  return lotPart;
}

struct AddOnCase {
  const char* name;
  bool spiel77;  // false: Super 6
  Date date;
  int digits;
  std::string line;  // empty: no line
  friend void PrintTo(const AddOnCase& c, std::ostream* os) { *os << c.name; }
};

class AddOnTest : public ::testing::TestWithParam<AddOnCase> {};

TEST_P(AddOnTest, EveryClassWithItsAmount) {
  const AddOnCase& c = GetParam();
  Drawing drawing = DrawingOf(c.date, 0);
  TicketPlay ticket = TicketOf({}, "1234567");
  if (c.spiel77) {
    ticket.spiel77 = true;
    drawing.spiel77 = EndingIn("1234567", c.digits);
    drawing.super6 = "234567";  // not played: must not count
  } else {
    ticket.super6 = true;
    drawing.super6 = EndingIn("234567", c.digits);
    drawing.spiel77 = "1234567";
  }
  const DrawingCheck check = CheckDrawing(ticket, drawing);
  const AddOnCheck& played = c.spiel77 ? check.spiel77 : check.super6;
  const AddOnCheck& other = c.spiel77 ? check.super6 : check.spiel77;
  EXPECT_EQ(played.digits, c.digits);
  EXPECT_FALSE(other.played);
  EXPECT_EQ(other.win.kind, Win::Kind::None);
  const Lines lines = DrawingReportLines(check);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], c.line.empty() ? "kein Gewinn" : c.line);
}

const Date kToday = Day(2024, 3, 2);
const Date kBeforeSpiel77Amounts = Day(2010, 9, 29);
const Date kBeforeSuper6Amounts = Day(2001, 12, 29);

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Classes, AddOnTest,
    ::testing::Values(
        AddOnCase{"S77None", true, kToday, 0, ""},
        AddOnCase{"S77VII", true, kToday, 1, "Spiel 77: 1 Endziffer, Gewinnklasse VII, 5,00 \x80"},
        AddOnCase{"S77VI", true, kToday, 2, "Spiel 77: 2 Endziffern, Gewinnklasse VI, 17,00 \x80"},
        AddOnCase{"S77V", true, kToday, 3, "Spiel 77: 3 Endziffern, Gewinnklasse V, 77,00 \x80"},
        AddOnCase{"S77IV", true, kToday, 4, "Spiel 77: 4 Endziffern, Gewinnklasse IV, 777,00 \x80"},
        AddOnCase{"S77III", true, kToday, 5,
                  "Spiel 77: 5 Endziffern, Gewinnklasse III, 7.777,00 \x80"},
        AddOnCase{"S77II", true, kToday, 6,
                  "Spiel 77: 6 Endziffern, Gewinnklasse II, 77.777,00 \x80"},
        AddOnCase{"S77I", true, kToday, 7,
                  "Spiel 77: 7 Endziffern, Gewinnklasse I, Quote noch nicht bekannt"},
        AddOnCase{"S77Open", true, kBeforeSpiel77Amounts, 2,
                  "Spiel 77: 2 Endziffern, Gewinnklasse VI, Betrag nicht bekannt"},
        AddOnCase{"S77FirstKnown", true, Day(2010, 10, 2), 1,
                  "Spiel 77: 1 Endziffer, Gewinnklasse VII, 5,00 \x80"},
        AddOnCase{"S6None", false, kToday, 0, ""},
        AddOnCase{"S6VI", false, kToday, 1, "Super 6: 1 Endziffer, Gewinnklasse VI, 2,50 \x80"},
        AddOnCase{"S6V", false, kToday, 2, "Super 6: 2 Endziffern, Gewinnklasse V, 6,00 \x80"},
        AddOnCase{"S6IV", false, kToday, 3, "Super 6: 3 Endziffern, Gewinnklasse IV, 66,00 \x80"},
        AddOnCase{"S6III", false, kToday, 4,
                  "Super 6: 4 Endziffern, Gewinnklasse III, 666,00 \x80"},
        AddOnCase{"S6II", false, kToday, 5,
                  "Super 6: 5 Endziffern, Gewinnklasse II, 6.666,00 \x80"},
        AddOnCase{"S6I", false, kToday, 6,
                  "Super 6: 6 Endziffern, Gewinnklasse I, 100.000,00 \x80"},
        AddOnCase{"S6Open", false, kBeforeSuper6Amounts, 6,
                  "Super 6: 6 Endziffern, Gewinnklasse I, Betrag nicht bekannt"},
        AddOnCase{"S6FirstKnown", false, Day(2002, 1, 2), 1,
                  "Super 6: 1 Endziffer, Gewinnklasse VI, 2,50 \x80"}));
// clang-format on

TEST(AddOnCheckTest, QuotaOfTheJackpotAndOfAnOpenTime) {
  Drawing drawing = DrawingOf(kToday, 0);
  drawing.spiel77 = "1234567";
  drawing.quotas = {{PrizeGame::Spiel77, 1, 1, 123456789}};
  TicketPlay ticket = TicketOf({}, "1234567");
  ticket.spiel77 = true;
  EXPECT_EQ(DrawingReportLines(CheckDrawing(ticket, drawing)).front(),
            "Spiel 77: 7 Endziffern, Gewinnklasse I, 1.234.567,89 \x80");

  // Before its amounts are known, a published quota is still what that drawing paid; but
  // before 2002 it was paid in Deutsche Mark, never an amount in euro.
  drawing = DrawingOf(kBeforeSpiel77Amounts, 0);
  drawing.spiel77 = "0234567";
  drawing.quotas = {{PrizeGame::Spiel77, 2, 2, 5000000}};
  EXPECT_EQ(DrawingReportLines(CheckDrawing(ticket, drawing)).front(),
            "Spiel 77: 6 Endziffern, Gewinnklasse II, 50.000,00 \x80");
  drawing = DrawingOf(kBeforeSuper6Amounts, 0);
  drawing.super6 = "234567";
  drawing.quotas = {{PrizeGame::Super6, 1, 2, 5000000}};
  ticket.spiel77 = false;
  ticket.super6 = true;
  EXPECT_EQ(DrawingReportLines(CheckDrawing(ticket, drawing)).front(),
            "Super 6: 6 Endziffern, Gewinnklasse I, Betrag nicht bekannt");
}

TEST(AddOnCheckTest, NotPlayedGivesNoLineAndNoAmount) {
  Drawing drawing = DrawingOf(kToday, 0);
  drawing.spiel77 = "1234567";
  drawing.super6 = "234567";
  const DrawingCheck check = CheckDrawing(TicketOf({}, "1234567"), drawing);
  EXPECT_FALSE(check.spiel77.played);
  EXPECT_FALSE(check.super6.played);
  EXPECT_EQ(check.totals, CheckTotals{});
  EXPECT_EQ(DrawingReportLines(check), (Lines{"kein Gewinn", "Gewinn insgesamt: 0,00 \x80"}));
}

TEST(AddOnCheckTest, LotNumberOfOtherThanSevenDigitsMatchesNothing) {
  Drawing drawing = DrawingOf(kToday, 6);
  drawing.spiel77 = "0123456";
  drawing.super6 = "123456";
  for (const char* lot : {"123456", "0123456a", "01234567", "", "012345\xB6"}) {
    TicketPlay ticket = TicketOf({kTwo}, lot);
    ticket.spiel77 = ticket.super6 = true;
    const DrawingCheck check = CheckDrawing(ticket, drawing);
    EXPECT_EQ(check.spiel77.digits, 0) << lot;
    EXPECT_EQ(check.super6.digits, 0) << lot;
    EXPECT_FALSE(SuperzahlDigit(lot).has_value()) << lot;
    EXPECT_EQ(DrawingReportLines(check), (Lines{"kein Gewinn", "Gewinn insgesamt: 0,00 \x80"}))
        << lot;
  }
  // The same drawing against the seven digits wins in all three: IX, the Spiel 77 jackpot
  // (its quota not known) and the Super 6 class I.
  TicketPlay ticket = TicketOf({kTwo}, "0123456");
  ticket.spiel77 = ticket.super6 = true;
  EXPECT_EQ(CheckDrawing(ticket, drawing).totals, (CheckTotals{600 + 10000000, 1, 0, 0}));
}

TEST(AddOnCheckTest, NumberMissingFromTheDrawingIsNotKnown) {
  TicketPlay ticket = TicketOf({}, "1234567");
  ticket.spiel77 = ticket.super6 = true;
  Drawing drawing = DrawingOf(kToday, 7);
  drawing.super6 = "000007";
  const DrawingCheck check = CheckDrawing(ticket, drawing);
  EXPECT_FALSE(check.spiel77.numberKnown);
  EXPECT_EQ(DrawingReportLines(check),
            (Lines{"Spiel 77: Gewinnzahl nicht bekannt",
                   "Super 6: 1 Endziffer, Gewinnklasse VI, 2,50 \x80",
                   "Gewinn insgesamt: 2,50 \x80; Spiel 77: Gewinnzahl fehlt an 1 Tag"}));
}

TEST(ReportTest, GamesThenSpiel77ThenSuper6ThenTheTotal) {
  Drawing drawing = DrawingOf(k2021, 5);
  drawing.spiel77 = "9999965";
  drawing.super6 = "999999";
  drawing.quotas = {{PrizeGame::Lotto, 7, 80000, 1260}};
  TicketPlay ticket = TicketOf({{}, {}, {3, 1, 20, 2, 30, 40}, {}, kTwo}, "4711265");
  ticket.spiel77 = ticket.super6 = true;
  EXPECT_EQ(DrawingReportLines(CheckDrawing(ticket, drawing)),
            (Lines{"Spiel 3: 3 Richtige + Superzahl, Gewinnklasse VII, 12,60 \x80",
                   "Spiel 5: 2 Richtige + Superzahl, Gewinnklasse IX, 6,00 \x80",
                   "Spiel 77: 2 Endziffern, Gewinnklasse VI, 17,00 \x80",
                   "Gewinn insgesamt: 35,60 \x80"}));
}

TEST(ReportTest, WhatHasNoAmountYetIsNamedInTheTotal) {
  const struct {
    CheckTotals totals;
    const char* line;
  } cases[] = {
      {{1860, 0, 0, 0}, "Gewinn insgesamt: 18,60 \x80"},
      {{1860, 1, 0, 0}, "Gewinn insgesamt: 18,60 \x80 (dazu 1 Gewinn mit noch unbekannter Quote)"},
      {{1860, 2, 0, 0}, "Gewinn insgesamt: 18,60 \x80 (dazu 2 Gewinne mit noch unbekannter Quote)"},
      {{0, 0, 1, 0}, "Gewinn insgesamt: 0,00 \x80 (dazu 1 Gewinn mit unbekanntem Betrag)"},
      {{0, 0, 0, 3}, "Gewinn insgesamt: 0,00 \x80 (dazu 3 Spiele mit unbekannter Gewinnklasse)"},
      {{500, 2, 0, 1},
       "Gewinn insgesamt: 5,00 \x80 (dazu 2 Gewinne mit noch unbekannter Quote und 1 Spiel mit "
       "unbekannter Gewinnklasse)"},
      {{500, 1, 2, 1},
       "Gewinn insgesamt: 5,00 \x80 (dazu 1 Gewinn mit noch unbekannter Quote, 2 Gewinne mit "
       "unbekanntem Betrag und 1 Spiel mit unbekannter Gewinnklasse)"},
  };
  for (const auto& c : cases) EXPECT_EQ(TotalLine(c.totals), c.line);
}

TEST(SuperzahlDigitTest, LastDigitOfSevenDigitsOnly) {
  EXPECT_EQ(SuperzahlDigit("4711235"), 5);
  EXPECT_EQ(SuperzahlDigit("0000000"), 0);
  EXPECT_EQ(SuperzahlDigit("471123"), std::nullopt);
  EXPECT_EQ(SuperzahlDigit("47112359"), std::nullopt);
  EXPECT_EQ(SuperzahlDigit(" 471123"), std::nullopt);
}

}  // namespace
}  // namespace kw
