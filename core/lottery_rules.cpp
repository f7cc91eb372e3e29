#include "core/lottery_rules.h"

namespace kw {

std::string NumberRangeText() {
  return std::to_string(kLowestNumber) + " bis " + std::to_string(kHighestNumber);
}

std::string_view RomanClass(int prizeClass) {
  static constexpr std::array<std::string_view, 9> kNames = {"I",  "II",  "III",  "IV", "V",
                                                             "VI", "VII", "VIII", "IX"};
  if (prizeClass < 1 || prizeClass > static_cast<int>(kNames.size())) return "";
  return kNames[static_cast<std::size_t>(prizeClass - 1)];
}

const RulePeriod& RulePeriodOn(Date day) {
  std::size_t i = 0;
  while (i + 1 < kRulePeriods.size() && kRulePeriods[i + 1].first <= day) ++i;
  return kRulePeriods[i];
}

Date LastDayOfPeriod(std::size_t i) {
  if (i + 1 >= kRulePeriods.size()) return Date{std::numeric_limits<int32_t>::max()};
  return Date{kRulePeriods[i + 1].first.dayCount - 1};
}

}  // namespace kw
