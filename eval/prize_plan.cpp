#include "eval/prize_plan.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kw {

namespace {

constexpr Date kEverBefore{std::numeric_limits<int32_t>::min()};
constexpr Date kEverAfter{std::numeric_limits<int32_t>::max()};

constexpr Payout Fixed(int64_t euros, int64_t cents = 0) {
  return {Payout::Kind::Fixed, euros * 100 + cents};
}
constexpr Payout kQuota{Payout::Kind::Quota, 0};
constexpr Payout kNotKnown{Payout::Kind::NotKnown, 0};

// Classes I to VIII are paid by quota in every plan; from 2013-05-04 the Superzahl takes the
// Zusatzzahl's place in III, V and VII and adds class IX, the only fixed one.
std::vector<PrizeClassRule> LottoClasses(Extra extra, const Payout* classIX) {
  std::vector<PrizeClassRule> classes = {
      {1, 6, Extra::Superzahl, kQuota},
      {2, 6, Extra::None, kQuota},
      {3, 5, extra, kQuota},
      {4, 5, Extra::None, kQuota},
      {5, 4, extra, kQuota},
      {6, 4, Extra::None, kQuota},
      {7, 3, extra, kQuota},
      {8, 3, Extra::None, kQuota},
  };
  if (classIX) classes.push_back({9, 2, Extra::Superzahl, *classIX});
  return classes;
}

// One class per number of final digits: the most digits give class I.
std::vector<PrizeClassRule> AddOnClasses(const std::vector<Payout>& payouts) {
  std::vector<PrizeClassRule> classes;
  const int top = static_cast<int>(payouts.size());
  for (int digits = top; digits >= 1; --digits) {
    classes.push_back({top + 1 - digits, digits, Extra::None, payouts[digits - 1]});
  }
  return classes;
}

std::vector<PrizePlan> MakePlans() {
  const Payout five = Fixed(5);
  const Payout six = Fixed(6);
  std::vector<PrizePlan> plans;
  plans.push_back({PrizeGame::Lotto, Date::FromYmd(1999, 5, 22), LastZusatzzahlDay(),
                   LottoClasses(Extra::Zusatzzahl, nullptr)});
  plans.push_back({PrizeGame::Lotto, Date::FromYmd(2013, 5, 4), Date::FromYmd(2020, 9, 19),
                   LottoClasses(Extra::Superzahl, &five)});
  plans.push_back({PrizeGame::Lotto, Date::FromYmd(2020, 9, 23), kEverAfter,
                   LottoClasses(Extra::Superzahl, &six)});

  // The classes of the add-on games are the same at all times; their amounts are known only
  // from the day the present amounts began.
  plans.push_back({PrizeGame::Spiel77, kEverBefore, Date::FromYmd(2010, 9, 30),
                   AddOnClasses(std::vector<Payout>(7, kNotKnown))});
  plans.push_back({PrizeGame::Spiel77, Date::FromYmd(2010, 10, 1), kEverAfter,
                   AddOnClasses({Fixed(5), Fixed(17), Fixed(77), Fixed(777), Fixed(7777),
                                 Fixed(77777), kQuota})});
  plans.push_back({PrizeGame::Super6, kEverBefore, Date::FromYmd(2001, 12, 31),
                   AddOnClasses(std::vector<Payout>(6, kNotKnown))});
  plans.push_back(
      {PrizeGame::Super6, Date::FromYmd(2002, 1, 1), kEverAfter,
       AddOnClasses({Fixed(2, 50), Fixed(6), Fixed(66), Fixed(666), Fixed(6666), Fixed(100000)})});
  return plans;
}

const std::vector<PrizePlan>& Plans() {
  static const std::vector<PrizePlan> plans = MakePlans();
  return plans;
}

}  // namespace

const PrizeClassRule* PrizePlan::Rule(int prizeClass) const {
  for (const PrizeClassRule& rule : classes) {
    if (rule.prizeClass == prizeClass) return &rule;
  }
  return nullptr;
}

bool PrizePlan::Asks(Extra extra) const {
  for (const PrizeClassRule& rule : classes) {
    if (rule.extra == extra) return true;
  }
  return false;
}

const PrizePlan* PrizePlanFor(PrizeGame game, Date date) {
  // Before 2000-12-06 the Wednesday drawings were games of their own, with plans not known here.
  if (game == PrizeGame::Lotto && !IsDrawingDay(date, DrawDays::Both)) return nullptr;
  for (const PrizePlan& plan : Plans()) {
    if (plan.game == game && plan.first <= date && date <= plan.last) return &plan;
  }
  return nullptr;
}

std::optional<int64_t> FixedAmount(PrizeGame game, int prizeClass, Date day) {
  const PrizePlan* plan = PrizePlanFor(game, day);
  const PrizeClassRule* rule = plan ? plan->Rule(prizeClass) : nullptr;
  if (!rule || rule->payout.kind != Payout::Kind::Fixed) return std::nullopt;
  return rule->payout.cents;
}

bool QuotasObtainable(Date day) {
  const PrizePlan* plan = PrizePlanFor(PrizeGame::Lotto, day);
  return plan && std::any_of(plan->classes.begin(), plan->classes.end(), [](const auto& rule) {
           return rule.payout.kind == Payout::Kind::Fixed;
         });
}

bool LacksQuotas(const Drawing& drawing) {
  return QuotasObtainable(drawing.date) &&
         std::none_of(drawing.quotas.begin(), drawing.quotas.end(),
                      [](const Quota& q) { return q.game == PrizeGame::Lotto; });
}

std::string_view RomanClass(int prizeClass) {
  static constexpr std::array<std::string_view, 10> kNames = {"",  "I",  "II",  "III",  "IV",
                                                              "V", "VI", "VII", "VIII", "IX"};
  if (prizeClass < 1 || prizeClass > 9) return "";
  return kNames[static_cast<std::size_t>(prizeClass)];
}

}  // namespace kw
