#include "eval/prize_plan.h"

#include <algorithm>
#include <optional>

namespace kw {

namespace {

constexpr Payout Fixed(int64_t euros, int64_t cents = 0) {
  return {Payout::Kind::Fixed, euros * 100 + cents};
}
constexpr Payout kQuota{Payout::Kind::Quota, 0};
constexpr Payout kNotKnown{Payout::Kind::NotKnown, 0};

// Classes I to VIII are paid by quota in every plan; from 2013-05-04 the Superzahl takes the
// Zusatzzahl's place in III, V and VII and adds class IX, the only fixed one.
std::vector<PrizeClassRule> LottoClasses(Extra extra, std::optional<Payout> classIX) {
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

// The classes of a game in one period of the rules, or nothing where its plan is not known.
std::optional<std::vector<PrizeClassRule>> ClassesIn(PrizeGame game, const RulePeriod& period) {
  // The amounts of the add-on games stand here, not in the periods: they have not changed since
  // the period in which they became known, and the classes are the same at all times.
  switch (game) {
    case PrizeGame::Lotto: {
      if (!period.lottoPlanKnown) return std::nullopt;
      const Extra extra =
          period.extra == ClassExtra::Superzahl ? Extra::Superzahl : Extra::Zusatzzahl;
      std::optional<Payout> classIX;
      if (period.classIXCents) classIX = Fixed(0, *period.classIXCents);
      return LottoClasses(extra, classIX);
    }
    case PrizeGame::Spiel77:
      if (!period.spiel77AmountsKnown) {
        return AddOnClasses(std::vector<Payout>(kSpiel77Digits, kNotKnown));
      }
      return AddOnClasses(
          {Fixed(5), Fixed(17), Fixed(77), Fixed(777), Fixed(7777), Fixed(77777), kQuota});
    case PrizeGame::Super6:
      if (!period.super6AmountsKnown) {
        return AddOnClasses(std::vector<Payout>(kSuper6Digits, kNotKnown));
      }
      return AddOnClasses(
          {Fixed(2, 50), Fixed(6), Fixed(66), Fixed(666), Fixed(6666), Fixed(100000)});
  }
  return std::nullopt;
}

// One plan per run of periods in which the game's classes stayed the same: a plan holds from
// the first day of its first period until the next plan (or an unknown one) begins.
std::vector<PrizePlan> MakePlans() {
  std::vector<PrizePlan> plans;
  for (const PrizeGame game : {PrizeGame::Lotto, PrizeGame::Spiel77, PrizeGame::Super6}) {
    std::optional<std::vector<PrizeClassRule>> open;  // the classes of the plan being built
    for (std::size_t i = 0; i < kRulePeriods.size(); ++i) {
      std::optional<std::vector<PrizeClassRule>> classes = ClassesIn(game, kRulePeriods[i]);
      if (classes && open && *classes == *open) {
        plans.back().last = LastDayOfPeriod(i);
      } else if (classes) {
        plans.push_back({game, kRulePeriods[i].first, LastDayOfPeriod(i), *classes});
      }
      open = std::move(classes);
    }
  }
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

}  // namespace kw
