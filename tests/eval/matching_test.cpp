#include "eval/matching.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(CountHitsTest, PairsOfEqualValues) {
  const struct {
    const char* name;
    std::array<int32_t, 6> drawn;
    Game game;
    int hits;
  } cases[] = {
      {"Plain", {1, 2, 3, 4, 5, 6}, {6, 5, 40, 41, 42, 43}, 2},
      {"GameRepeats", {1, 2, 3, 4, 5, 6}, {6, 6, 6, 41, 42, 43}, 3},
      {"DrawnRepeats", {7, 7, 3, 4, 5, 6}, {7, 6, 40, 41, 42, 43}, 3},
      {"EmptySlotsNeverHit", {0, 2, 3, 4, 5, 6}, {0, 0, 0, 0, 0, 2}, 1},
      // 300 keeps nothing of itself: its low byte 44 is not drawn
      {"OutOfByteRange", {300, -1, 3, 4, 5, 6}, {44, 255, 3, 41, 42, 43}, 1},
      {"AllSix", {49, 48, 47, 46, 45, 1}, {1, 45, 46, 47, 48, 49}, 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CountHits(c.game, DrawnNumbers(c.drawn)), c.hits) << c.name;
  }
}

TEST(GameHoldsTest, ZeroIsNoNumber) {
  EXPECT_TRUE(GameHolds({1, 2, 3, 4, 5, 7}, 7));
  EXPECT_FALSE(GameHolds({1, 2, 3, 0, 0, 0}, 0));
  EXPECT_FALSE(GameHolds({1, 2, 3, 4, 5, 44}, 300));
}

TEST(MatchingDigitsTest, FromTheRightUpToTheFirstDifference) {
  EXPECT_EQ(MatchingDigitsFromRight("9911235", "4711235", 7), 5);
  EXPECT_EQ(MatchingDigitsFromRight("4711235", "4711235", 7), 7);
  EXPECT_EQ(MatchingDigitsFromRight("4711234", "4711235", 7), 0);
  EXPECT_EQ(MatchingDigitsFromRight("1235", "471123", 7), 0);  // too short to align
  EXPECT_EQ(MatchingDigitsFromRight("35", "4711235", 7), 2);   // nothing read past the start
}

}  // namespace
}  // namespace kw
