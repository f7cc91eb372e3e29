#include "core/date.h"

#include <gtest/gtest.h>

#include <ctime>

#include "core/error.h"
#include "tests/support/fixed_clock.h"

namespace kw {
namespace {

TEST(Date, CountsDaysFromItsOrigin) {
  EXPECT_EQ(Date{}.dayCount, 0);
  EXPECT_EQ(FormatShortDate(Date{}), "30.12.1899");
  EXPECT_EQ(Date::FromYmd(1900, 1, 1).dayCount, 2);
  EXPECT_EQ(Date::FromYmd(2026, 12, 8) - Date::FromYmd(2026, 12, 7), 1);
  EXPECT_EQ(Date::FromYmd(2025, 1, 1) - Date::FromYmd(2024, 1, 1), 366);
  EXPECT_LT(Date::FromYmd(2026, 1, 31), Date::FromYmd(2026, 2, 1));
  const Date d = Date::FromYmd(2028, 2, 29);
  EXPECT_EQ(d.year(), 2028);
  EXPECT_EQ(d.month(), 2);
  EXPECT_EQ(d.day(), 29);
}

TEST(Date, ShortFormHasTwoDigitDayAndMonthAndFourDigitYear) {
  EXPECT_EQ(FormatShortDate(Date::FromYmd(2026, 3, 7)), "07.03.2026");
  EXPECT_EQ(FormatShortDate(Date::FromYmd(2026, 12, 31)), "31.12.2026");
  EXPECT_EQ(FormatShortDate(Date::FromYmd(987, 1, 2)), "02.01.0987");
}

struct DateCase {
  const char* text;
  int year, month, day;
};

class ValidDates : public testing::TestWithParam<DateCase> {};

TEST_P(ValidDates, Parse) {
  const DateCase& c = GetParam();
  EXPECT_EQ(ParseDate(c.text, 2026), Date::FromYmd(c.year, c.month, c.day)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    ShortFormsBlanksAndYearWindow, ValidDates,
    testing::Values(DateCase{"07.03.2026", 2026, 3, 7}, DateCase{"7.3.2026", 2026, 3, 7},
                    DateCase{"7.3.", 2026, 3, 7}, DateCase{"7.3", 2026, 3, 7},
                    DateCase{" 7 . 3 . 2026 ", 2026, 3, 7}, DateCase{"07.03.2026.", 2026, 3, 7},
                    DateCase{"07.03.2026 . ", 2026, 3, 7}, DateCase{"1.1.26", 2026, 1, 1},
                    DateCase{"1.1.76", 1976, 1, 1}, DateCase{"31.12.75", 2075, 12, 31},
                    DateCase{"1.1.0", 2000, 1, 1}, DateCase{"1.1.5", 2005, 1, 1},
                    DateCase{"1.1.99", 1999, 1, 1}, DateCase{"29.02.2024", 2024, 2, 29},
                    DateCase{"29.2.2000", 2000, 2, 29}, DateCase{"1.1.026", 26, 1, 1},
                    DateCase{"001.01.2026", 2026, 1, 1}));

class InvalidDates : public testing::TestWithParam<const char*> {};

TEST_P(InvalidDates, FailWithTheProgramsText) {
  const std::string text = GetParam();
  try {
    ParseDate(text, 2026);
    FAIL() << "parsed '" << text << "'";
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.what(), "'" + text + "' is not a valid date");
  }
}

INSTANTIATE_TEST_SUITE_P(MissingPartsWrongDaysAndOtherCharacters, InvalidDates,
                         testing::Values("", " ", "7", "7.", ".3.2026", "29.02.2026", "29.2.1900",
                                         "31.04.2026", "0.1.2026", "1.0.2026", "1.13.2026",
                                         "32.1.2026", "1.1.0000", "1.1.10000", "07-03-2026",
                                         "07/03/2026", "07.03.2026..", "07.03.2026 x", "a.3.2026",
                                         "7.3.2026\t", "+7.3.2026", "7..3.2026", "7.3..",
                                         "1.1.02026"));

// Years have four digits at most: a fifth is no date, whatever the current year is.
TEST(Date, ValidDaysLieInTheYearsOneTo9999) {
  EXPECT_TRUE(IsValidYmd(9999, 12, 31));
  EXPECT_FALSE(IsValidYmd(10000, 1, 1));
  EXPECT_TRUE(IsValidYmd(1, 1, 1));
  EXPECT_FALSE(IsValidYmd(0, 12, 31));
  EXPECT_THROW(ParseDate("1.1.10000", 9999), ConversionError);
  EXPECT_EQ(ParseDate("31.12.9999", 9999), Date::FromYmd(9999, 12, 31));
}

TEST(Date, TwoDigitYearsFollowTheCurrentYear) {
  // The window is the hundred years beginning 50 years before the current year.
  EXPECT_EQ(ParseDate("1.1.50", 2000).year(), 1950);
  EXPECT_EQ(ParseDate("1.1.49", 2000).year(), 2049);
  EXPECT_EQ(ParseDate("1.1.76", 2027).year(), 2076);
  EXPECT_EQ(ParseDate("1.1.77", 2027).year(), 1977);
  EXPECT_EQ(ParseDate("5.6.", 1999), Date::FromYmd(1999, 6, 5));
}

TEST(Clock, FixedClockSaysWhatItWasSet) {
  FixedClock clock(Date::FromYmd(2026, 12, 8));
  EXPECT_EQ(clock.Today(), Date::FromYmd(2026, 12, 8));
  clock.Set(Date::FromYmd(2027, 1, 1));
  EXPECT_EQ(clock.Today(), Date::FromYmd(2027, 1, 1));
}

TEST(Clock, SystemClockSaysTodaysLocalDate) {
  // Asked around the call, so that a midnight in between cannot fail the test.
  auto localToday = [] {
    const std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%d.%m.%Y", std::localtime(&now));
    return ParseDate(text, 2000);
  };
  const Date before = localToday();
  const Date today = SystemClock().Today();
  const Date after = localToday();
  EXPECT_TRUE(today == before || today == after) << FormatShortDate(today);
}

TEST(Date, DaysInMonthAtTheLeapYearRules) {
  struct Case {
    int year;
    int month;
    int days;
  };
  const Case cases[] = {
      {2025, 1, 31}, {2025, 2, 28},  {2024, 2, 29}, {1900, 2, 28},  {2000, 2, 29},
      {2025, 4, 30}, {2025, 12, 31}, {1, 2, 28},    {9999, 12, 31},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.month << "/" << c.year;
  }
}

TEST(BerlinTime, MidnightOnTheDaysAroundEachClockChange) {
  struct Case {
    Date day;
    int64_t ms;  // as the time zone database has it
  };
  const Case cases[] = {
      {Date::FromYmd(2025, 3, 30), 1743289200000},   // last Sunday of March: still winter at 0:00
      {Date::FromYmd(2025, 3, 31), 1743372000000},   // summer
      {Date::FromYmd(2025, 10, 26), 1761429600000},  // last Sunday of October: still summer
      {Date::FromYmd(2025, 10, 27), 1761519600000},  // winter
      {Date::FromYmd(1996, 10, 27), 846367200000},   // the first October end
      {Date::FromYmd(1996, 10, 28), 846457200000},
      {Date::FromYmd(1995, 9, 24), 811893600000},  // until 1995 summer ended in September
      {Date::FromYmd(1995, 9, 25), 811983600000},
      {Date::FromYmd(1980, 4, 6), 323823600000},  // 1980 began on 6 April
      {Date::FromYmd(1980, 4, 7), 323906400000},
      {Date::FromYmd(1979, 7, 1), 299631600000},  // no summer time before 1980
      {Date::FromYmd(2019, 7, 6), 1562364000000},
      {Date::FromYmd(2025, 12, 6), 1764975600000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BerlinMidnightMs(c.day), c.ms) << FormatShortDate(c.day);
    EXPECT_EQ(BerlinDateOfMs(c.ms), c.day) << FormatShortDate(c.day);
    EXPECT_EQ(BerlinDateOfMs(c.ms - 1), Date{c.day.dayCount - 1}) << FormatShortDate(c.day);
  }
}

TEST(BerlinTime, InstantsAtTheSwitchItself) {
  // 30.03.2025 01:00 UTC: 01:59:59.999 in winter time becomes 03:00 in summer time, the same day.
  const int64_t spring = 1743296400000;
  EXPECT_EQ(BerlinDateOfMs(spring - 1), Date::FromYmd(2025, 3, 30));
  EXPECT_EQ(BerlinDateOfMs(spring), Date::FromYmd(2025, 3, 30));
  // 25.10.2025 22:00 UTC is midnight in summer time: the 26th; 23:00 UTC on the 26th is 00:00
  // of the 27th in winter time.
  EXPECT_EQ(BerlinDateOfMs(1761429600000 - 1), Date::FromYmd(2025, 10, 25));
  EXPECT_EQ(BerlinDateOfMs(1761519600000 - 1), Date::FromYmd(2025, 10, 26));
  EXPECT_EQ(BerlinDateOfMs(-1), Date::FromYmd(1970, 1, 1));  // 00:59:59.999 in Berlin
  EXPECT_EQ(BerlinDateOfMs(-3600001), Date::FromYmd(1969, 12, 31));
  EXPECT_EQ(BerlinDateOfMs(INT64_MAX), std::nullopt);
  EXPECT_EQ(BerlinDateOfMs(INT64_MIN), std::nullopt);
}

TEST(BerlinTime, EveryMidnightFrom1970To2060ReadsBackAsItsDay) {
  for (Date d = Date::FromYmd(1970, 1, 1); d <= Date::FromYmd(2060, 12, 31); ++d.dayCount) {
    const int64_t ms = BerlinMidnightMs(d);
    ASSERT_EQ(BerlinDateOfMs(ms), d) << FormatShortDate(d);
    ASSERT_EQ(BerlinDateOfMs(ms - 1), Date{d.dayCount - 1}) << FormatShortDate(d);
  }
}

}  // namespace
}  // namespace kw
