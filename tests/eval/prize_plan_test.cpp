#include "eval/prize_plan.h"

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/builders.h"

namespace kw {
namespace {

using test::Day;

// Which 6 aus 49 plan holds on a date, told by its first day and its class IX.
struct LottoPlanCase {
  const char* name;
  Date date;
  int weekday;
  std::optional<Date> first;  // nothing: no plan known
  std::optional<int64_t> classIXCents;
  friend void PrintTo(const LottoPlanCase& c, std::ostream* os) { *os << c.name; }
};

class LottoPlanTest : public ::testing::TestWithParam<LottoPlanCase> {};

TEST_P(LottoPlanTest, ChosenByTheDate) {
  const LottoPlanCase& c = GetParam();
  ASSERT_EQ(IsoWeekday(c.date), c.weekday) << "the case names the wrong weekday";
  const PrizePlan* plan = PrizePlanFor(PrizeGame::Lotto, c.date);
  if (!c.first) {
    EXPECT_EQ(plan, nullptr);
    return;
  }
  ASSERT_NE(plan, nullptr);
  EXPECT_EQ(plan->first, *c.first);
  EXPECT_TRUE(plan->first <= c.date && c.date <= plan->last);
  const PrizeClassRule* ix = plan->Rule(9);
  if (!c.classIXCents) {
    EXPECT_EQ(ix, nullptr);
    EXPECT_EQ(plan->classes.size(), 8u);
    EXPECT_TRUE(plan->Asks(Extra::Zusatzzahl));
    return;
  }
  ASSERT_NE(ix, nullptr);
  EXPECT_EQ(ix->matches, 2);
  EXPECT_EQ(ix->extra, Extra::Superzahl);
  EXPECT_EQ(ix->payout.kind, Payout::Kind::Fixed);
  EXPECT_EQ(ix->payout.cents, *c.classIXCents);
  EXPECT_FALSE(plan->Asks(Extra::Zusatzzahl));
}

const Date kOldPlan = Day(1999, 5, 22);
const Date kPlan2013 = Day(2013, 5, 4);
const Date kPlan2020 = Day(2020, 9, 23);

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Boundaries, LottoPlanTest,
    ::testing::Values(
        LottoPlanCase{"SaturdayBefore1999", Day(1999, 5, 15), kSaturday, std::nullopt, std::nullopt},
        LottoPlanCase{"FirstOldSaturday", Day(1999, 5, 22), kSaturday, kOldPlan, std::nullopt},
        LottoPlanCase{"WednesdayOfNovember2000", Day(2000, 11, 29), kWednesday, std::nullopt,
                      std::nullopt},
        LottoPlanCase{"FirstWednesday", Day(2000, 12, 6), kWednesday, kOldPlan, std::nullopt},
        LottoPlanCase{"LastZusatzzahl", Day(2013, 5, 1), kWednesday, kOldPlan, std::nullopt},
        LottoPlanCase{"ThursdayBetween", Day(2013, 5, 2), 4, std::nullopt, std::nullopt},
        LottoPlanCase{"First2013", Day(2013, 5, 4), kSaturday, kPlan2013, 500},
        LottoPlanCase{"Last2013", Day(2020, 9, 19), kSaturday, kPlan2013, 500},
        LottoPlanCase{"First2020", Day(2020, 9, 23), kWednesday, kPlan2020, 600},
        LottoPlanCase{"FarAhead", Day(2099, 12, 30), 3, kPlan2020, 600}));
// clang-format on

TEST(LottoPlanTest, OldAndNewPlansAskForTheirExtras) {
  // hits and extra of classes I..VIII, the same in every plan but for the extra
  const int hits[] = {6, 6, 5, 5, 4, 4, 3, 3};
  for (const auto& [date, extra] : {std::pair{Day(2012, 6, 2), Extra::Zusatzzahl},
                                    std::pair{Day(2019, 6, 1), Extra::Superzahl}}) {
    const PrizePlan* plan = PrizePlanFor(PrizeGame::Lotto, date);
    ASSERT_NE(plan, nullptr);
    for (int k = 1; k <= 8; ++k) {
      const PrizeClassRule* rule = plan->Rule(k);
      ASSERT_NE(rule, nullptr) << k;
      EXPECT_EQ(rule->matches, hits[k - 1]) << k;
      const Extra want = k == 1 ? Extra::Superzahl : k % 2 == 1 ? extra : Extra::None;
      EXPECT_EQ(rule->extra, want) << k;
      EXPECT_EQ(rule->payout.kind, Payout::Kind::Quota) << k;
    }
  }
}

// The amount of each add-on class on both sides of the day its amounts became known.
TEST(AddOnPlanTest, AmountsKnownFromTheirFirstDay) {
  const struct {
    PrizeGame game;
    Date lastOpen;
    std::vector<int64_t> cents;  // by digits 1.. ; 0: by quota
  } games[] = {
      {PrizeGame::Spiel77, Day(2010, 9, 30), {500, 1700, 7700, 77700, 777700, 7777700, 0}},
      {PrizeGame::Super6, Day(2001, 12, 31), {250, 600, 6600, 66600, 666600, 10000000}},
  };
  for (const auto& g : games) {
    const PrizePlan* open = PrizePlanFor(g.game, g.lastOpen);
    const PrizePlan* known = PrizePlanFor(g.game, Date{g.lastOpen.dayCount + 1});
    ASSERT_NE(open, nullptr);
    ASSERT_NE(known, nullptr);
    const int top = static_cast<int>(g.cents.size());
    ASSERT_EQ(known->classes.size(), g.cents.size());
    for (int digits = 1; digits <= top; ++digits) {
      const int prizeClass = top + 1 - digits;
      const PrizeClassRule* before = open->Rule(prizeClass);
      const PrizeClassRule* after = known->Rule(prizeClass);
      ASSERT_NE(before, nullptr);
      ASSERT_NE(after, nullptr);
      EXPECT_EQ(before->matches, digits);
      EXPECT_EQ(after->matches, digits);
      EXPECT_EQ(before->payout.kind, Payout::Kind::NotKnown);
      const int64_t cents = g.cents[static_cast<std::size_t>(digits - 1)];
      EXPECT_EQ(after->payout.kind, cents ? Payout::Kind::Fixed : Payout::Kind::Quota);
      EXPECT_EQ(after->payout.cents, cents);
    }
  }
}

// The quotas the service can give are those of days whose plan has a fixed class: it tells the
// unit of the answer's amounts. A drawing lacks them only then, and only without a 6 aus 49 row.
TEST(LacksQuotasTest, FromTheFirstDayWithAFixedClassOn) {
  const std::vector<Quota> lotto = {{PrizeGame::Lotto, 8, 100, 1150}};
  const std::vector<Quota> super6Only = {{PrizeGame::Super6, 1, 1, 10000000}};
  const struct {
    Date day;
    const std::vector<Quota>* quotas;
    bool lacks;
  } cases[] = {
      {Day(2013, 5, 1), &super6Only, false}, {Day(2013, 5, 4), &super6Only, true},
      {Day(2013, 5, 4), &lotto, false},      {Day(2026, 12, 5), &super6Only, true},
      {Day(2026, 12, 6), &super6Only, false},  // a Sunday has no plan
  };
  for (const auto& c : cases) {
    Drawing d;
    d.date = c.day;
    d.quotas = *c.quotas;
    EXPECT_EQ(LacksQuotas(d), c.lacks) << FormatShortDate(c.day);
  }
  EXPECT_EQ(FixedAmount(PrizeGame::Lotto, 9, Day(2020, 9, 19)), 500);
  EXPECT_EQ(FixedAmount(PrizeGame::Lotto, 9, Day(2020, 9, 23)), 600);
  EXPECT_EQ(FixedAmount(PrizeGame::Lotto, 8, Day(2020, 9, 23)), std::nullopt);
}

}  // namespace
}  // namespace kw
