#include "core/date.h"

#include <gtest/gtest.h>

#include <ctime>

#include "core/error.h"

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

}  // namespace
}  // namespace kw
