#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/drawing.h"

namespace kw {

// The prize plans of 6 aus 49, Spiel 77 and Super 6 by the date of the drawing: which classes
// there were and how each was paid, built from the periods of core/lottery_rules.h.

// What a class asks for beside its number of hits.
enum class Extra {
  None,        // nothing more; where a class of the same hits asks for an extra, its absence
  Superzahl,   // the ticket's Superzahl digit equals the drawn Superzahl
  Zusatzzahl,  // the game holds the drawn Zusatzzahl
};

// How a class was paid.
struct Payout {
  enum class Kind {
    Fixed,     // the same amount for every winner
    Quota,     // pari-mutuel: the amount per winner published after the drawing
    NotKnown,  // the plan of that time is not known to the program
  };
  Kind kind = Kind::NotKnown;
  int64_t cents = 0;  // for Fixed

  friend bool operator==(const Payout&, const Payout&) = default;
};

struct PrizeClassRule {
  int prizeClass = 0;  // 1 (class I) to 9 (class IX)
  int matches = 0;     // hits of a game, or final digits of an add-on game
  Extra extra = Extra::None;
  Payout payout;

  friend bool operator==(const PrizeClassRule&, const PrizeClassRule&) = default;
};

struct PrizePlan {
  PrizeGame game = PrizeGame::Lotto;
  Date first;  // the first and the last day the plan held, both included
  Date last;
  std::vector<PrizeClassRule> classes;  // highest class first

  const PrizeClassRule* Rule(int prizeClass) const;
  // Whether any class asks for the extra.
  bool Asks(Extra extra) const;
};

// The plan of the game on that date, or nothing where no plan is known. 6 aus 49 knows plans
// only for its drawing days (Saturday; Wednesday from 2000-12-06) from 1999-05-22 on.
const PrizePlan* PrizePlanFor(PrizeGame game, Date date);

// The fixed amount of a class on that day, in cent; nothing where the class is paid by quota,
// or its plan is not known.
std::optional<int64_t> FixedAmount(PrizeGame game, int prizeClass, Date day);

// Whether the quotas of a drawing of that day can be had from the results service: only a plan
// with a class of a fixed amount (class IX, from 04.05.2013 on) tells in which unit its answer
// gives them.
bool QuotasObtainable(Date day);

// A drawing without the quotas of 6 aus 49 that can still be had for it: the one rule for what a
// fetch asks for again, and for when a report says that "Ziehungen holen" brings them.
bool LacksQuotas(const Drawing& drawing);

}  // namespace kw
