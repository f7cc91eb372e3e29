#include "core/drawing.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

Drawing Saturday2026() {
  Drawing d;
  d.date = Date::FromYmd(2026, 12, 5);
  d.numbers = {3, 15, 22, 31, 40, 49};
  d.superzahl = 5;
  d.spiel77 = "9911235";
  d.super6 = "000235";
  d.quotas = {{PrizeGame::Lotto, 9, 123456, 600}, {PrizeGame::Spiel77, 1, 0, 0}};
  return d;
}

TEST(Drawing, ARealDrawingHasNoProblem) {
  EXPECT_EQ(DrawingProblem(Saturday2026()), std::nullopt);
  Drawing old = Saturday2026();
  old.date = Date::FromYmd(2013, 5, 1);  // the last drawing with a Zusatzzahl
  old.zusatzzahl = 7;
  EXPECT_EQ(DrawingProblem(old), std::nullopt);
}

TEST(Drawing, WhatNoDrawingCanHoldIsNamed) {
  struct Case {
    const char* what;
    void (*change)(Drawing&);
    const char* message;
  };
  const Case cases[] = {
      {"0", [](Drawing& d) { d.numbers[0] = 0; },
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 0, die nicht zwischen 1 und 49 liegt"},
      {"50", [](Drawing& d) { d.numbers[5] = 50; },
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 50, die nicht zwischen 1 und 49 liegt"},
      {"twice", [](Drawing& d) { d.numbers[5] = 3; },
       "Die Ziehung vom 05.12.2026 enth\xE4lt die Zahl 3 zweimal"},
      {"Zusatzzahl after May 2013", [](Drawing& d) { d.zusatzzahl = 7; },
       "Die Ziehung vom 05.12.2026 hat eine Zusatzzahl, die es nach dem 01.05.2013 nicht mehr "
       "gibt"},
      {"Superzahl 10", [](Drawing& d) { d.superzahl = 10; },
       "Die Superzahl der Ziehung vom 05.12.2026 liegt nicht zwischen 0 und 9"},
      {"Spiel 77 of six", [](Drawing& d) { d.spiel77 = "991123"; },
       "Die Spiel-77-Zahl der Ziehung vom 05.12.2026 hat nicht genau 7 Ziffern"},
      {"Spiel 77 with a letter", [](Drawing& d) { d.spiel77 = "991123x"; },
       "Die Spiel-77-Zahl der Ziehung vom 05.12.2026 hat nicht genau 7 Ziffern"},
      {"Super 6 of seven", [](Drawing& d) { d.super6 = "0002351"; },
       "Die Super-6-Zahl der Ziehung vom 05.12.2026 hat nicht genau 6 Ziffern"},
      {"Spiel 77 class 8", [](Drawing& d) { d.quotas.push_back({PrizeGame::Spiel77, 8, 1, 1}); },
       "Die Quote von Spiel 77, Gewinnklasse 8, der Ziehung vom 05.12.2026 nennt keine "
       "Gewinnklasse, die es gibt"},
      {"Super 6 class 7", [](Drawing& d) { d.quotas.push_back({PrizeGame::Super6, 7, 1, 1}); },
       "Die Quote von Super 6, Gewinnklasse 7, der Ziehung vom 05.12.2026 nennt keine "
       "Gewinnklasse, die es gibt"},
      {"class twice", [](Drawing& d) { d.quotas.push_back({PrizeGame::Lotto, 9, 1, 600}); },
       "Die Quote von 6 aus 49, Gewinnklasse 9, der Ziehung vom 05.12.2026 steht zweimal darin"},
      {"negative", [](Drawing& d) { d.quotas.push_back({PrizeGame::Super6, 6, -1, 250}); },
       "Die Quote von Super 6, Gewinnklasse 6, der Ziehung vom 05.12.2026 ist negativ"},
  };
  for (const Case& c : cases) {
    Drawing d = Saturday2026();
    c.change(d);
    EXPECT_EQ(DrawingProblem(d), std::optional<std::string>(c.message)) << c.what;
  }
  // The Zusatzzahl against each of the six, the last one included.
  for (const uint8_t taken : {22, 49}) {
    Drawing old = Saturday2026();
    old.date = Date::FromYmd(2012, 6, 2);
    old.zusatzzahl = taken;
    EXPECT_EQ(DrawingProblem(old),
              std::optional<std::string>(
                  "Die Zusatzzahl der Ziehung vom 02.06.2012 ist schon eine der sechs Zahlen"))
        << int{taken};
  }
}

TEST(Drawing, QuotaOfFindsTheGamesOwnClass) {
  const Drawing d = Saturday2026();
  ASSERT_NE(d.QuotaOf(PrizeGame::Lotto, 9), nullptr);
  EXPECT_EQ(d.QuotaOf(PrizeGame::Lotto, 9)->centsPerWinner, 600);
  EXPECT_EQ(d.QuotaOf(PrizeGame::Super6, 9), nullptr);
  EXPECT_EQ(d.QuotaOf(PrizeGame::Lotto, 1), nullptr);
  EXPECT_EQ(NumbersText(d), "3 15 22 31 40 49");
}

// A person reads the numbers ascending, as the lottery prints them; the value keeps them drawn.
TEST(Drawing, TextsReadTheNumbersAscendingAndNameWhatIsKnown) {
  Drawing d = Saturday2026();
  d.numbers = {31, 3, 49, 15, 40, 22};
  EXPECT_EQ(NumbersText(d), "3 15 22 31 40 49");
  EXPECT_EQ(d.numbers[0], 31);
  EXPECT_EQ(DrawingText(d), "3 15 22 31 40 49, Superzahl 5, Spiel 77 9911235, Super 6 000235");
  d.date = Date::FromYmd(2013, 5, 1);
  d.zusatzzahl = 7;
  d.superzahl.reset();
  d.super6.reset();
  EXPECT_EQ(DrawingText(d), "3 15 22 31 40 49, Zusatzzahl 7, Spiel 77 9911235");
  EXPECT_EQ(WeekdayDateText(d.date), "Mi 01.05.2013");
  EXPECT_EQ(DrawingsText(1), "1 Ziehung");
  EXPECT_EQ(DrawingsText(6012), "6.012 Ziehungen");
  EXPECT_EQ(DrawingsText(0), "0 Ziehungen");
}

// Quotas come a day or two after the drawing: a week after it, they may still come; not after.
TEST(Drawing, QuotasMayComeForAWeek) {
  const Date saturday = Date::FromYmd(2026, 11, 28);
  EXPECT_TRUE(QuotasMayStillCome(saturday, saturday));
  EXPECT_TRUE(QuotasMayStillCome(saturday, Date::FromYmd(2026, 12, 5)));
  EXPECT_FALSE(QuotasMayStillCome(saturday, Date::FromYmd(2026, 12, 6)));
}

TEST(Drawing, DrawingDaysAreSaturdaysAndWednesdaysFromDecember2000) {
  const Date firstWednesday = Date::FromYmd(2000, 12, 6);
  EXPECT_TRUE(IsDrawingDay(firstWednesday, DrawDays::Both));
  EXPECT_TRUE(IsDrawingDay(firstWednesday, DrawDays::Wednesday));
  EXPECT_FALSE(IsDrawingDay(firstWednesday, DrawDays::Saturday));
  EXPECT_FALSE(IsDrawingDay(Date::FromYmd(2000, 11, 29), DrawDays::Both));
  EXPECT_TRUE(IsDrawingDay(Date::FromYmd(2000, 11, 25), DrawDays::Saturday));
  EXPECT_FALSE(IsDrawingDay(Date::FromYmd(2000, 11, 25), DrawDays::Wednesday));
  EXPECT_FALSE(IsDrawingDay(Date::FromYmd(2026, 12, 6), DrawDays::Both)) << "a Sunday";
}

TEST(Date, WeekdaysAndStrictForms) {
  EXPECT_EQ(IsoWeekday(Date{}), 6) << "30.12.1899 was a Saturday";
  EXPECT_STREQ(GermanWeekdayName(Date::FromYmd(2026, 12, 9)), "Mittwoch");
  EXPECT_STREQ(GermanWeekdayShort(Date::FromYmd(1955, 10, 9)), "So");
  EXPECT_EQ(ParseGermanDate("05.12.2026"), Date::FromYmd(2026, 12, 5));
  EXPECT_EQ(ParseIsoDate("2026-12-05"), Date::FromYmd(2026, 12, 5));
  EXPECT_EQ(FormatIsoDate(Date::FromYmd(987, 1, 2)), "0987-01-02");
  for (const char* bad : {"5.12.2026", "05.12.26", "31.11.2026", "05.12.2026 ", "05-12-2026",
                          "0a.12.2026", "00.12.2026"}) {
    EXPECT_EQ(ParseGermanDate(bad), std::nullopt) << bad;
  }
  for (const char* bad : {"2026-2-05", "2026-02-30", "2026.12.05", "+026-12-05", "2026-12-5 "}) {
    EXPECT_EQ(ParseIsoDate(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace kw
