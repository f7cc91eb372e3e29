#include "core/money.h"

#include <gtest/gtest.h>

#include <limits>

namespace kw {
namespace {

TEST(EuroTextTest, GermanFormWithThousandsAndCents) {
  const struct {
    int64_t cents;
    const char* text;
  } cases[] = {
      {0, "0,00 \x80"},
      {5, "0,05 \x80"},
      {250, "2,50 \x80"},
      {500, "5,00 \x80"},
      {99999, "999,99 \x80"},
      {100000, "1.000,00 \x80"},
      {7777700, "77.777,00 \x80"},
      {10000000, "100.000,00 \x80"},
      {123456789, "1.234.567,89 \x80"},
      {100000000000, "1.000.000.000,00 \x80"},
      {-550, "-5,50 \x80"},
      {std::numeric_limits<int64_t>::min(), "-92.233.720.368.547.758,08 \x80"},
  };
  for (const auto& c : cases) EXPECT_EQ(EuroText(c.cents), c.text) << c.cents;
}

// Before 2002 the lottery paid Deutsche Mark: such an amount is never written as euro.
TEST(EuroTextTest, AmountsOfDaysBefore2002AreDeutscheMark) {
  EXPECT_EQ(MoneyText(104336450, Date::FromYmd(2001, 12, 29)), "1.043.364,50 DM");
  EXPECT_EQ(MoneyText(600, Date::FromYmd(2002, 1, 2)), "6,00 \x80");
}

TEST(EuroTextTest, AppendsToWhatStandsThere) {
  std::string line = "Gewinn: ";
  AppendEuro(line, 1260);
  EXPECT_EQ(line, "Gewinn: 12,60 \x80");
}

}  // namespace
}  // namespace kw
