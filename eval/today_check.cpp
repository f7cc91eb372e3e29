#include "eval/today_check.h"

#include <algorithm>
#include <bit>

#include "core/lottery_rules.h"
#include "core/money.h"
#include "eval/matching.h"

namespace kw {

namespace {

constexpr std::size_t kLotNumberLength = kSpiel77Digits;
constexpr std::size_t kSuper6Length = kSuper6Digits;

bool IsSevenDigits(std::string_view lotNumber) {
  return lotNumber.size() == kLotNumberLength &&
         std::all_of(lotNumber.begin(), lotNumber.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// Whether a game has the extra a class asks for; nothing where the drawing lacks it.
std::optional<bool> HasExtra(Extra extra, const GameCheck& game, std::optional<int> ticketDigit,
                             const Drawing& drawing) {
  switch (extra) {
    case Extra::None:
      return true;
    case Extra::Superzahl:
      // A ticket without a Superzahl digit cannot have it, whatever was drawn.
      if (!ticketDigit) return false;
      if (!drawing.superzahl) return std::nullopt;
      return game.superzahl;
    case Extra::Zusatzzahl:
      if (!drawing.zusatzzahl) return std::nullopt;
      return game.zusatzzahl;
  }
  return std::nullopt;
}

// The win of a class by the way the plan pays it.
Win WinOf(const PrizeClassRule& rule, PrizeGame game, const Drawing& drawing,
          std::optional<Date> today) {
  Win win;
  win.prizeClass = rule.prizeClass;
  if (rule.payout.kind == Payout::Kind::Fixed) {
    win.kind = Win::Kind::Amount;
    win.cents = rule.payout.cents;
    return win;
  }
  // A published quota is what that drawing paid, also where the plan of its time is open; but
  // before 2002 it was paid in Deutsche Mark, never an amount in euro. A row without winners
  // names no amount (an unclaimed jackpot shows 0).
  const Quota* quota = drawing.QuotaOf(game, rule.prizeClass);
  if (quota && quota->winners > 0 && quota->centsPerWinner > 0 && drawing.date >= FirstEuroDay()) {
    win.kind = Win::Kind::Amount;
    win.cents = quota->centsPerWinner;
  } else if (quota || rule.payout.kind != Payout::Kind::Quota) {
    win.kind = Win::Kind::AmountNotKnown;
  } else if (!today || QuotasMayStillCome(drawing.date, *today)) {
    win.kind = Win::Kind::QuotaPending;
  } else {
    win.kind = Win::Kind::QuotaMissing;
  }
  return win;
}

// Every plan of 6 aus 49 before 1999-05-22 had fewer classes than the one after it, none
// below 3 hits: fewer hits never won, and 3 or more may have.
constexpr int kFewestHitsThatMayWin = 3;

void ClassifyGame(GameCheck& check, const PrizePlan* plan, std::optional<int> ticketDigit,
                  const Drawing& drawing, std::optional<Date> today) {
  if (!plan) {
    if (check.hits >= kFewestHitsThatMayWin) check.win.kind = Win::Kind::ClassNotKnown;
    return;
  }
  // The classes of equal hits come as a pair, the one with an extra first; class IX stands
  // alone, and without its extra the game wins nothing.
  const PrizeClassRule* withExtra = nullptr;
  const PrizeClassRule* plain = nullptr;
  for (const PrizeClassRule& rule : plan->classes) {
    if (rule.matches != check.hits) continue;
    (rule.extra == Extra::None ? plain : withExtra) = &rule;
  }
  const PrizeClassRule* won = plain;
  if (withExtra) {
    const std::optional<bool> has = HasExtra(withExtra->extra, check, ticketDigit, drawing);
    if (!has) {
      check.win.kind = Win::Kind::ClassNotKnown;
      return;
    }
    if (*has) {
      won = withExtra;
      check.counted = withExtra->extra;
    }
  }
  if (won) check.win = WinOf(*won, PrizeGame::Lotto, drawing, today);
}

AddOnCheck CheckAddOn(PrizeGame game, bool played, const std::optional<std::string>& number,
                      std::string_view lotNumber, const Drawing& drawing,
                      std::optional<Date> today) {
  AddOnCheck check;
  if (!played) return check;
  check.played = true;
  check.numberKnown = number.has_value();
  // A lot number that is not seven digits matches nothing, whether the number is known or not.
  if (!IsSevenDigits(lotNumber)) return check;
  if (!number) {
    check.numberMissing = true;
    return check;
  }
  check.digits =
      game == PrizeGame::Spiel77
          ? MatchingDigitsFromRight(*number, lotNumber, kLotNumberLength)
          : MatchingDigitsFromRight(*number, lotNumber.substr(kLotNumberLength - kSuper6Length),
                                    kSuper6Length);
  if (check.digits == 0) return check;
  const PrizePlan* plan = PrizePlanFor(game, drawing.date);
  if (!plan) {
    check.win.kind = Win::Kind::ClassNotKnown;
    return check;
  }
  for (const PrizeClassRule& rule : plan->classes) {
    if (rule.matches == check.digits) check.win = WinOf(rule, game, drawing, today);
  }
  return check;
}

// A win counted for as many rows as won it alike.
void Count(CheckTotals& totals, const Win& win, int64_t rows = 1) {
  const int count = static_cast<int>(rows);
  switch (win.kind) {
    case Win::Kind::None:
      break;
    case Win::Kind::Amount:
      totals.cents += win.cents * rows;
      break;
    case Win::Kind::QuotaPending:
      totals.awaitingQuota += count;
      break;
    case Win::Kind::QuotaMissing:
      totals.quotaMissing += count;
      break;
    case Win::Kind::AmountNotKnown:
      totals.amountNotKnown += count;
      break;
    case Win::Kind::ClassNotKnown:
      totals.classNotKnown += count;
      break;
  }
}

// Numbers of 1 to 49 as bits: the drawn numbers of a system are one AND and a count.
template <class Numbers>
uint64_t NumberMask(const Numbers& numbers) {
  uint64_t mask = 0;
  for (const uint8_t number : numbers) mask |= uint64_t{1} << (number & 63);
  return mask;
}

// The rows of the system by hits, each group classed as one game of those hits would be.
SystemCheck CheckSystem(int field, const TicketSystem& system, uint64_t drawnMask,
                        const PrizePlan* plan, std::optional<int> ticketDigit,
                        const Drawing& drawing, std::optional<Date> today) {
  SystemCheck check;
  check.system = field;
  if (!system.problem.empty() || !IsFullSystem(system.numbers)) {
    check.valid = false;
    check.problem = system.problem.empty() ? "keine " + std::to_string(kFewestSystemNumbers) +
                                                 " bis " + std::to_string(kMostSystemNumbers) +
                                                 " verschiedenen Zahlen von " + NumberRangeText()
                                           : system.problem;
    return check;
  }
  const uint64_t mask = NumberMask(system.numbers);
  const int n = static_cast<int>(system.numbers.size());
  const int k = std::popcount(mask & drawnMask);
  check.size = n;
  check.drawn = k;
  check.zusatzzahl = drawing.zusatzzahl && (mask >> *drawing.zusatzzahl & 1) != 0;
  check.superzahl = ticketDigit && drawing.superzahl && *ticketDigit == *drawing.superzahl;

  for (int j = kNumbersPerGame; j >= 0; --j) {
    const int64_t rows = Choose(k, j) * Choose(n - k, kNumbersPerGame - j);
    if (rows == 0) continue;
    // The Zusatzzahl is one of the n - k numbers not drawn: the rows that hold it pick it and
    // 5 - j of the others.
    const int64_t withZusatzzahl =
        check.zusatzzahl ? Choose(k, j) * Choose(n - k - 1, kNumbersPerGame - 1 - j) : 0;
    for (const bool holds : {true, false}) {
      const int64_t groupRows = holds ? withZusatzzahl : rows - withZusatzzahl;
      if (groupRows == 0) continue;
      GameCheck row;
      row.hits = j;
      row.zusatzzahl = holds;
      row.superzahl = check.superzahl;
      ClassifyGame(row, plan, ticketDigit, drawing, today);
      if (row.win.kind == Win::Kind::None) continue;
      // Where the class does not ask for the Zusatzzahl both groups won alike.
      if (!check.wins.empty() && check.wins.back().hits == j &&
          check.wins.back().counted == row.counted && check.wins.back().win == row.win) {
        check.wins.back().rows += groupRows;
      } else {
        check.wins.push_back({j, row.counted, groupRows, row.win});
      }
    }
  }
  return check;
}

}  // namespace

std::optional<int> SuperzahlDigit(std::string_view lotNumber) {
  if (!IsSevenDigits(lotNumber)) return std::nullopt;
  return lotNumber.back() - '0';
}

bool IsValidGame(const Game& game) {
  uint64_t seen = 0;
  for (const uint8_t number : game) {
    const uint64_t bit = uint64_t{1} << (number & 63);
    if (number < kLowestNumber || number > kHighestNumber || (seen & bit) != 0) return false;
    seen |= bit;
  }
  return true;
}

CheckTotals& CheckTotals::operator+=(const CheckTotals& other) {
  cents += other.cents;
  awaitingQuota += other.awaitingQuota;
  amountNotKnown += other.amountNotKnown;
  classNotKnown += other.classNotKnown;
  quotaMissing += other.quotaMissing;
  spiel77NumberMissing += other.spiel77NumberMissing;
  super6NumberMissing += other.super6NumberMissing;
  drawingsMissing += other.drawingsMissing;
  return *this;
}

bool DrawingCheck::AnyWin() const {
  const auto wins = [](const Win& win) { return win.kind != Win::Kind::None; };
  return wins(spiel77.win) || wins(super6.win) ||
         std::any_of(games.begin(), games.end(), [&](const GameCheck& g) { return wins(g.win); }) ||
         std::any_of(systems.begin(), systems.end(),
                     [](const SystemCheck& s) { return !s.wins.empty(); });
}

DrawingCheck CheckDrawing(const TicketPlay& ticket, const Drawing& drawing,
                          std::optional<Date> today) {
  if (std::optional<std::string> problem = DrawingProblem(drawing)) {
    throw DrawingRefused(*problem);
  }
  DrawingCheck check;
  check.date = drawing.date;
  check.lottoPlan = PrizePlanFor(PrizeGame::Lotto, drawing.date);

  std::array<int32_t, 6> six{};
  std::copy(drawing.numbers.begin(), drawing.numbers.end(), six.begin());
  const DrawnNumbers drawn(six);
  const std::optional<int> ticketDigit = SuperzahlDigit(ticket.lotNumber);

  check.games.reserve(kGameCount);
  for (int g = 0; g < kGameCount; ++g) {
    const Game& game = ticket.games[static_cast<std::size_t>(g)];
    if (IsEmptyGame(game)) continue;
    GameCheck& result = check.games.emplace_back();
    result.game = g + 1;
    result.valid = IsValidGame(game);
    if (!result.valid) continue;
    result.hits = CountHits(game, drawn);
    result.zusatzzahl = drawing.zusatzzahl && GameHolds(game, *drawing.zusatzzahl);
    result.superzahl = ticketDigit && drawing.superzahl && *ticketDigit == *drawing.superzahl;
    ClassifyGame(result, check.lottoPlan, ticketDigit, drawing, today);
    Count(check.totals, result.win);
  }

  const uint64_t drawnMask = NumberMask(drawing.numbers);
  for (int s = 0; s < kSystemCount; ++s) {
    const TicketSystem& system = ticket.systems[static_cast<std::size_t>(s)];
    if (system.IsEmpty()) continue;
    SystemCheck& result = check.systems.emplace_back(
        CheckSystem(s + 1, system, drawnMask, check.lottoPlan, ticketDigit, drawing, today));
    for (const SystemWin& win : result.wins) Count(check.totals, win.win, win.rows);
  }

  check.spiel77 = CheckAddOn(PrizeGame::Spiel77, ticket.spiel77, drawing.spiel77, ticket.lotNumber,
                             drawing, today);
  check.super6 = CheckAddOn(PrizeGame::Super6, ticket.super6, drawing.super6, ticket.lotNumber,
                            drawing, today);
  Count(check.totals, check.spiel77.win);
  Count(check.totals, check.super6.win);
  check.totals.spiel77NumberMissing = check.spiel77.numberMissing ? 1 : 0;
  check.totals.super6NumberMissing = check.super6.numberMissing ? 1 : 0;
  return check;
}

}  // namespace kw
