#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/records.h"

namespace kw {

// The comparisons that the typed-text evaluation and today's check have in common.

// The six drawn numbers as a count per value, so that a game's hits are six look-ups. A drawn
// value outside 1..255 can equal no game number and is left out.
class DrawnNumbers {
 public:
  explicit DrawnNumbers(const std::array<int32_t, 6>& drawn);
  int CountOf(uint8_t value) const { return count_[value]; }

 private:
  std::array<uint8_t, 256> count_{};
};

// Hits of one game: every pair of an equal game number and drawn number counts, so a value
// that stands twice counts twice (for six different numbers this is the plain count). A slot
// holding 0 is no number and never hits.
int CountHits(const Game& game, const DrawnNumbers& drawn);

// Whether the game holds the value in one of its slots; a slot holding 0 never does.
bool GameHolds(const Game& game, int32_t value);

// Counts equal characters from the right-hand end up to the first difference. The ticket's
// number is aligned at its position `width`, not at its own end: a shorter one matches nothing.
int MatchingDigitsFromRight(std::string_view drawn, std::string_view ticketNumber,
                            std::size_t width);

}  // namespace kw
