#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/date.h"
#include "eval/today_check.h"

namespace kw {

// What a ticket costs over its term: the stake (Spieleinsatz) of every drawing day, past and
// future, by the prices of that day. The handling fee each state adds per ticket is left out,
// and the text says so. A price the program does not know is never guessed: the stake then says
// which part is not known and is not added up.

struct Stake {
  int64_t cents = 0;  // of the parts whose price is known
  // What has no known price, each once: "Super 6 vor dem 04.05.2013", in the order met.
  std::vector<std::string> unknown;

  bool Known() const { return unknown.empty(); }
  Stake& operator+=(const Stake& other);
};

// The stake of one drawing day: the played games and the rows of every system times the price of
// one game, Spiel 77 and Super 6 where played.
Stake StakeOfDay(const TicketPlay& ticket, Date day);

// The stake of every day given.
Stake StakeOfDays(const TicketPlay& ticket, const std::vector<Date>& days);

// "36,60 €", or "nicht bekannt (Super 6 vor dem 04.05.2013)".
std::string StakeText(const Stake& stake);

// "Einsatz ohne Bearbeitungsgebühr: 36,60 €": the line of a ticket.
std::string StakeLine(const Stake& stake);

}  // namespace kw
