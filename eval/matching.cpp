#include "eval/matching.h"

namespace kw {

DrawnNumbers::DrawnNumbers(const std::array<int32_t, 6>& drawn) {
  for (const int32_t d : drawn) {
    if (d >= 1 && d <= 255) ++count_[static_cast<std::size_t>(d)];
  }
}

int CountHits(const Game& game, const DrawnNumbers& drawn) {
  int hits = 0;
  for (const uint8_t number : game) hits += drawn.CountOf(number);
  return hits;
}

bool GameHolds(const Game& game, int32_t value) {
  for (const uint8_t number : game) {
    if (number != 0 && number == value) return true;
  }
  return false;
}

int MatchingDigitsFromRight(std::string_view drawn, std::string_view ticketNumber,
                            std::size_t width) {
  if (ticketNumber.size() < width) return 0;
  int count = 0;
  for (std::size_t k = 1; k <= width && k <= drawn.size(); ++k) {
    if (drawn[drawn.size() - k] != ticketNumber[width - k]) break;
    ++count;
  }
  return count;
}

}  // namespace kw
