#include "core/drawing.h"

#include <gtest/gtest.h>

#include "tests/support/builders.h"

namespace kw {
namespace {

Drawing Saturday2026() { return test::PublishedSaturday(); }

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
