#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/date.h"

namespace kw {

// The rules of Lotto 6 aus 49 and its add-on games, each fact once: the numbers and digits a
// drawing holds, the prize classes, and which rules held on which day.

inline constexpr int kLowestNumber = 1;
inline constexpr int kHighestNumber = 49;
inline constexpr int kNumbersPerGame = 6;
inline constexpr int kLowestSuperzahl = 0;
inline constexpr int kHighestSuperzahl = 9;
// The lot number is the Spiel 77 number; Super 6 plays its last six digits.
inline constexpr int kSpiel77Digits = 7;
inline constexpr int kSuper6Digits = 6;

// "1 bis 49", as messages name the numbers.
std::string NumberRangeText();

// The game a prize class belongs to.
enum class PrizeGame { Lotto, Spiel77, Super6 };

// The classes of a game, I up to this one: 6 aus 49 has had nine since 2013 (eight before), the
// add-on games one per number of matching final digits.
constexpr int ClassCount(PrizeGame game) {
  switch (game) {
    case PrizeGame::Lotto:
      return 9;
    case PrizeGame::Spiel77:
      return kSpiel77Digits;
    case PrizeGame::Super6:
      return kSuper6Digits;
  }
  return 0;
}

// "I" to "IX"; an empty text for any other number.
std::string_view RomanClass(int prizeClass);

// Days that matter without beginning a period of their own.
inline constexpr Date kFirstSuperzahlDay = Date::FromYmd(1991, 12, 7);
// Before it the Wednesday drawings were a game of their own.
inline constexpr Date kFirstWednesdayDrawing = Date::FromYmd(2000, 12, 6);
// The last drawing with a Zusatzzahl; the first without one is the next period's first day.
inline constexpr Date kLastZusatzzahlDay = Date::FromYmd(2013, 5, 1);

// What classes III, V and VII ask for beside their hits.
enum class ClassExtra { Zusatzzahl, Superzahl };

enum class Currency { DeutscheMark, Euro };

// The rules of one period, from its first day until the next period begins. An optional price
// or amount that is empty is not known to the program, which then never guesses one.
struct RulePeriod {
  Date first{};
  bool lottoPlanKnown = false;  // the classes of 6 aus 49 and how they were paid
  ClassExtra extra = ClassExtra::Zusatzzahl;
  std::optional<int64_t> classIXCents{};  // the fixed class IX; empty: there was no class IX
  std::optional<int64_t> gameCents{};     // one game (Tippfeld) of 6 aus 49, per drawing
  std::optional<int64_t> spiel77Cents{};
  std::optional<int64_t> super6Cents{};
  bool spiel77AmountsKnown = false;
  bool super6AmountsKnown = false;
  Currency currency = Currency::DeutscheMark;
};

// Every period in date order; the first one reaches back for ever, the last one on for ever.
inline constexpr std::array<RulePeriod, 6> kRulePeriods = {{
    {.first = Date{std::numeric_limits<int32_t>::min()}},
    // The plan with the Zusatzzahl in eight classes paid by quota; prices still in DM.
    {.first = Date::FromYmd(1999, 5, 22), .lottoPlanKnown = true},
    {.first = Date::FromYmd(2002, 1, 1),
     .lottoPlanKnown = true,
     .gameCents = 75,
     .spiel77Cents = 150,
     .super6AmountsKnown = true,
     .currency = Currency::Euro},
    {.first = Date::FromYmd(2010, 10, 1),
     .lottoPlanKnown = true,
     .gameCents = 75,
     .spiel77Cents = 250,
     .spiel77AmountsKnown = true,
     .super6AmountsKnown = true,
     .currency = Currency::Euro},
    // The Superzahl takes the Zusatzzahl's place and adds class IX.
    {.first = Date::FromYmd(2013, 5, 4),
     .lottoPlanKnown = true,
     .extra = ClassExtra::Superzahl,
     .classIXCents = 500,
     .gameCents = 100,
     .spiel77Cents = 250,
     .super6Cents = 125,
     .spiel77AmountsKnown = true,
     .super6AmountsKnown = true,
     .currency = Currency::Euro},
    {.first = Date::FromYmd(2020, 9, 23),
     .lottoPlanKnown = true,
     .extra = ClassExtra::Superzahl,
     .classIXCents = 600,
     .gameCents = 120,
     .spiel77Cents = 250,
     .super6Cents = 125,
     .spiel77AmountsKnown = true,
     .super6AmountsKnown = true,
     .currency = Currency::Euro},
}};

// The period the day lies in.
const RulePeriod& RulePeriodOn(Date day);

// The last day of the period at index i: the day before the next begins, or for ever.
Date LastDayOfPeriod(std::size_t i);

// The first day of the first period that holds the fact, or nothing when none does.
template <class Holds>
constexpr std::optional<Date> FirstDayWhere(Holds holds) {
  for (const RulePeriod& period : kRulePeriods) {
    if (holds(period)) return period.first;
  }
  return std::nullopt;
}

}  // namespace kw
