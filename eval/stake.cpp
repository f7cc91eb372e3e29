#include "eval/stake.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "core/money.h"

namespace kw {

namespace {

// What a price is for.
enum class Item { Game, Spiel77, Super6 };

// A price and the first day it held; it holds until the next one of its item begins. Before the
// first row of an item its price is not known to the program.
struct Price {
  Item item;
  Date from;
  int64_t cents;
};

const std::vector<Price>& Prices() {
  // The euro prices of a drawing day. Before 2002 the lottery took Deutsche Mark (a game 1.50 DM):
  // no amount in euro. Super 6 is known from 2013 on; Spiel 77 rose on 01.10.2010.
  static const std::vector<Price> prices = {
      {Item::Game, Date::FromYmd(2002, 1, 1), 75},
      {Item::Game, Date::FromYmd(2013, 5, 4), 100},
      {Item::Game, Date::FromYmd(2020, 9, 23), 120},
      {Item::Spiel77, Date::FromYmd(2002, 1, 1), 150},
      {Item::Spiel77, Date::FromYmd(2010, 10, 1), 250},
      {Item::Super6, Date::FromYmd(2013, 5, 4), 125},
  };
  return prices;
}

// The price of the item on the day, or nothing when it is not known.
std::optional<int64_t> PriceOn(Item item, Date day) {
  std::optional<int64_t> price;
  for (const Price& p : Prices()) {
    if (p.item == item && p.from <= day) price = p.cents;
  }
  return price;
}

// "Super 6 vor dem 04.05.2013": the part before the first known price of the item.
std::string UnknownText(Item item) {
  const char* name = item == Item::Game ? "Spiele" : item == Item::Spiel77 ? "Spiel 77" : "Super 6";
  Date first{std::numeric_limits<int32_t>::max()};
  for (const Price& p : Prices()) {
    if (p.item == item) first = std::min(first, p.from);
  }
  return std::string(name) + " vor dem " + FormatShortDate(first);
}

void Add(Stake& stake, Item item, Date day, int64_t count) {
  if (count == 0) return;
  if (const std::optional<int64_t> price = PriceOn(item, day)) {
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
