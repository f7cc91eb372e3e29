#include "core/money.h"

#include "core/lottery_rules.h"

namespace kw {

void AppendEuro(std::string& line, int64_t cents) {
  // Unsigned, so that the lowest int64_t has a magnitude too.
  uint64_t magnitude = static_cast<uint64_t>(cents);
  if (cents < 0) {
    line += '-';
    magnitude = 0 - magnitude;
  }
  const uint64_t euros = magnitude / 100;
  const unsigned rest = static_cast<unsigned>(magnitude % 100);

  char digits[24];
  int count = 0;
  uint64_t e = euros;
  do {
    digits[count++] = static_cast<char>('0' + e % 10);
    e /= 10;
  } while (e != 0);
  for (int i = count - 1; i >= 0; --i) {
    line += digits[i];
    if (i > 0 && i % 3 == 0) line += '.';
  }
  line += ',';
  line += static_cast<char>('0' + rest / 10);
  line += static_cast<char>('0' + rest % 10);
  line += ' ';
  line += kEuroSign;
}

std::string EuroText(int64_t cents) {
  std::string text;
  AppendEuro(text, cents);
  return text;
}

Date FirstEuroDay() {
  static constexpr Date first =
      *FirstDayWhere([](const RulePeriod& p) { return p.currency == Currency::Euro; });
  return first;
}

std::string MoneyText(int64_t cents, Date day) {
  std::string text = EuroText(cents);
  if (day < FirstEuroDay()) text.replace(text.size() - 1, 1, "DM");
  return text;
}

}  // namespace kw
