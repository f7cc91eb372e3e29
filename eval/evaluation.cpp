#include "eval/evaluation.h"

#include <algorithm>
#include <cstdint>

#include "core/lottery_rules.h"
#include "core/text.h"
#include "eval/matching.h"

namespace kw {

namespace {

constexpr std::size_t kDrawnCount = kNumbersPerGame;
constexpr std::size_t kZusatzzahlIndex = kDrawnCount;  // the fields after the six
constexpr std::size_t kSuperzahlIndex = kDrawnCount + 1;
constexpr std::size_t kSpiel77Width = kSpiel77Digits;
constexpr std::size_t kSuper6Width = kSuper6Digits;

// The Superzahl field, exactly as typed, against the lot number's 7th character. A lot number
// without a 7th character has no Superzahl digit and never matches.
bool SuperzahlMatches(std::string_view superzahlText, std::string_view lotNumber) {
  constexpr std::size_t kSuperzahlPosition = kSpiel77Digits - 1;
  if (lotNumber.size() <= kSuperzahlPosition) return false;
  return superzahlText.size() == 1 && superzahlText[0] == lotNumber[kSuperzahlPosition];
}

// Room for the longest line, so that each line is built in one allocation.
constexpr std::size_t kLongestLine = 64;

std::string AddOnLine(std::string_view label, int count, std::string_view prize) {
  std::string line;
  line.reserve(kLongestLine);
  line.append(label).append(std::to_string(count)).append(prize);
  return line;
}

}  // namespace

std::string_view GameClasses(int hits, bool zusatzzahl, bool superzahlMatches) {
  switch (hits) {
    case 1:
    case 2:
      return " => kein Gewinn";
    case 3:
      return zusatzzahl ? " => Gewinnklasse VII" : " => Gewinnklasse VIII";
    case 4:
      return zusatzzahl ? " => Gewinnklasse V" : " => Gewinnklasse VI";
    case 5:
      return zusatzzahl ? " => Gewinnklasse III" : " => Gewinnklasse IV";
    case 6:
      return superzahlMatches ? " => GEWINNKLASSE I" : " => Gewinnklasse II";
    default:
      return "";
  }
}

EvaluationOutcome EvaluateTicket(Ticket& ticket, const DrawEntry& entry) {
  using Kind = EvaluationOutcome::Kind;
  if (auto refusal = CheckDrawEntry(entry)) return {Kind::Refused, std::move(*refusal), {}};

  ClearTicket(ticket, false);

  // The texts are converted as typed: a blank after a number is an error here although the
  // entry check, which trims, let it pass.
  std::array<int32_t, kDrawnCount + 1> drawn{};
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    if (!TryStrToInt(entry.numberTexts[i], drawn[i])) {
      return {Kind::ConversionFailed, std::string(kConversionFailedMessage), {}};
    }
  }
  const int32_t zusatzzahl = drawn[kZusatzzahlIndex];

  // Every pair of equal values is a hit, so repeated values count more than once. A slot
  // holding 0 is no number: a drawn "00" or "-0" must not make every empty game a winner.
  std::array<int32_t, kDrawnCount> six{};
  std::copy_n(drawn.begin(), kDrawnCount, six.begin());
  const DrawnNumbers drawnNumbers(six);
  std::array<bool, kGameCount> holdsZusatzzahl{};
  for (int g = 0; g < kGameCount; ++g) {
    // At most 36 pairs, so the count fits the byte.
    ticket.hits[g] = static_cast<uint8_t>(CountHits(ticket.games[g], drawnNumbers));
    holdsZusatzzahl[g] = GameHolds(ticket.games[g], zusatzzahl);
  }

  const std::string& lotNumber = ticket.lotNumber;
  ticket.spiel77Hits =
      static_cast<uint8_t>(MatchingDigitsFromRight(entry.spiel77Text, lotNumber, kSpiel77Width));
  ticket.super6Hits = static_cast<uint8_t>(
      MatchingDigitsFromRight(entry.super6Text, ticket.super6Number.str(), kSuper6Width));
  const bool superzahl = SuperzahlMatches(entry.numberTexts[kSuperzahlIndex], lotNumber);

  EvaluationOutcome outcome;
  outcome.kind = Kind::Report;
  outcome.lines.reserve(kGameCount + 3);  // the games, the empty line, the two add-on games
  for (int g = 0; g < kGameCount; ++g) {
    const int hits = ticket.hits[g];
    if (hits == 0) continue;
    std::string& line = outcome.lines.emplace_back();
    line.reserve(kLongestLine);
    line.append("Richtige in Spiel ").append(std::to_string(g + 1));
    line.append(": ").append(std::to_string(hits));
    if (holdsZusatzzahl[g]) line.append(" (und Zusatzzahl)");
    line.append(GameClasses(hits, holdsZusatzzahl[g], superzahl));
  }
  outcome.lines.emplace_back();
  if (ticket.spiel77Hits > 0) {
    outcome.lines.push_back(
        AddOnLine("Richtige im Spiel77: ", ticket.spiel77Hits, Spiel77Classes[ticket.spiel77Hits]));
  }
  if (ticket.super6Hits > 0) {
    outcome.lines.push_back(
        AddOnLine("Richtige bei Super6: ", ticket.super6Hits, Super6Classes[ticket.super6Hits]));
  }
  return outcome;
}

}  // namespace kw
