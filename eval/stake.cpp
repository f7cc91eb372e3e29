#include "eval/stake.h"

#include <algorithm>
#include <optional>

#include "core/lottery_rules.h"
#include "core/money.h"

namespace kw {

namespace {

// What a price is for.
enum class Item { Game, Spiel77, Super6 };

// The euro price of the item in a period of the rules; nothing where it is not known. Before
// 2002 the lottery took Deutsche Mark (a game 1.50 DM): no amount in euro.
std::optional<int64_t> PriceIn(Item item, const RulePeriod& period) {
  switch (item) {
    case Item::Game:
      return period.gameCents;
    case Item::Spiel77:
      return period.spiel77Cents;
    case Item::Super6:
      return period.super6Cents;
  }
  return std::nullopt;
}

// "Super 6 vor dem 04.05.2013": the part before the first known price of the item.
std::string UnknownText(Item item) {
  const char* name = item == Item::Game ? "Spiele" : item == Item::Spiel77 ? "Spiel 77" : "Super 6";
  const std::optional<Date> first =
      FirstDayWhere([item](const RulePeriod& p) { return PriceIn(item, p).has_value(); });
  // Every item has a price in today's period, so a first day is always found.
  return std::string(name) + " vor dem " + FormatShortDate(first.value_or(Date{}));
}

void Add(Stake& stake, Item item, Date day, int64_t count) {
  if (count == 0) return;
  if (const std::optional<int64_t> price = PriceIn(item, RulePeriodOn(day))) {
    stake.cents += *price * count;
    return;
  }
  const std::string text = UnknownText(item);
  if (std::find(stake.unknown.begin(), stake.unknown.end(), text) == stake.unknown.end()) {
    stake.unknown.push_back(text);
  }
}

}  // namespace

Stake& Stake::operator+=(const Stake& other) {
  cents += other.cents;
  for (const std::string& part : other.unknown) {
    if (std::find(unknown.begin(), unknown.end(), part) == unknown.end()) unknown.push_back(part);
  }
  return *this;
}

Stake StakeOfDay(const TicketPlay& ticket, Date day) {
  Stake stake;
  // A system costs its rows, each the price of one game; a field that is no system is played by
  // nobody and costs nothing.
  int64_t played = std::count_if(ticket.games.begin(), ticket.games.end(),
                                 [](const Game& game) { return !IsEmptyGame(game); });
  for (const TicketSystem& system : ticket.systems) {
    if (system.IsSystem()) played += SystemRows(static_cast<int>(system.numbers.size()));
  }
  Add(stake, Item::Game, day, played);
  Add(stake, Item::Spiel77, day, ticket.spiel77 ? 1 : 0);
  Add(stake, Item::Super6, day, ticket.super6 ? 1 : 0);
  return stake;
}

Stake StakeOfDays(const TicketPlay& ticket, const std::vector<Date>& days) {
  Stake stake;
  for (const Date day : days) stake += StakeOfDay(ticket, day);
  return stake;
}

std::string StakeText(const Stake& stake) {
  if (stake.Known()) return EuroText(stake.cents);
  std::string text = "nicht bekannt (";
  for (std::size_t i = 0; i < stake.unknown.size(); ++i) {
    if (i > 0) text += ", ";
    text += stake.unknown[i];
  }
  return text + ")";
}

std::string StakeLine(const Stake& stake) {
  return "Einsatz ohne Bearbeitungsgeb\xFChr: " + StakeText(stake);
}

}  // namespace kw
