#include "core/lottery_rules.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(RulePeriods, EachBeginsAfterTheOneBeforeAndHoldsUntilTheNext) {
  for (std::size_t i = 0; i < kRulePeriods.size(); ++i) {
    SCOPED_TRACE(i);
    if (i > 0) {
      EXPECT_LT(kRulePeriods[i - 1].first, kRulePeriods[i].first);
    }
    EXPECT_EQ(&RulePeriodOn(kRulePeriods[i].first), &kRulePeriods[i]);
    EXPECT_EQ(&RulePeriodOn(LastDayOfPeriod(i)), &kRulePeriods[i]);
    if (i + 1 < kRulePeriods.size()) {
      EXPECT_EQ(LastDayOfPeriod(i).dayCount + 1, kRulePeriods[i + 1].first.dayCount);
    }
  }
}

// A stake names what it lacks as the time before the first known price ("Super 6 vor dem
// 04.05.2013"): that holds only if nothing once known is unknown again later.
TEST(RulePeriods, WhatBecameKnownStaysKnown) {
  bool game = false, spiel77 = false, super6 = false, spiel77Amounts = false, super6Amounts = false,
       plan = false, euro = false;
  for (const RulePeriod& p : kRulePeriods) {
    SCOPED_TRACE(FormatShortDate(p.first));
    EXPECT_TRUE(!game || p.gameCents);
    EXPECT_TRUE(!spiel77 || p.spiel77Cents);
    EXPECT_TRUE(!super6 || p.super6Cents);
    EXPECT_TRUE(!spiel77Amounts || p.spiel77AmountsKnown);
    EXPECT_TRUE(!super6Amounts || p.super6AmountsKnown);
    EXPECT_TRUE(!plan || p.lottoPlanKnown);
    EXPECT_TRUE(!euro || p.currency == Currency::Euro);
    // A price in euro needs the euro.
    EXPECT_TRUE(p.currency == Currency::Euro || !(p.gameCents || p.spiel77Cents || p.super6Cents));
    game |= p.gameCents.has_value();
    spiel77 |= p.spiel77Cents.has_value();
    super6 |= p.super6Cents.has_value();
    spiel77Amounts |= p.spiel77AmountsKnown;
    super6Amounts |= p.super6AmountsKnown;
    plan |= p.lottoPlanKnown;
    euro |= p.currency == Currency::Euro;
  }
  // Today every price is known.
  EXPECT_TRUE(game && spiel77 && super6);
}

TEST(RomanClassTest, OneToNineOnly) {
  EXPECT_EQ(RomanClass(1), "I");
  EXPECT_EQ(RomanClass(4), "IV");
  EXPECT_EQ(RomanClass(8), "VIII");
  EXPECT_EQ(RomanClass(9), "IX");
  EXPECT_EQ(RomanClass(0), "");
  EXPECT_EQ(RomanClass(10), "");
}

}  // namespace
}  // namespace kw
