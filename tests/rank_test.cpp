// The rank of a state and the factorial table it reads.
#include "puzzle/rank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

class Rank : public ::testing::Test {
 protected:
  void SetUp() override { fillFactorials(); }
};

constexpr int64_t kTwelveFactorial = 479001600;
constexpr int64_t kElevenFactorial = 39916800;

TEST_F(Rank, FactorialsRunFromZeroFactorialToElevenFactorial) {
  EXPECT_EQ(factorials[0], 1);
  EXPECT_EQ(factorials[1], 1);
  EXPECT_EQ(factorials[5], 120);
  EXPECT_EQ(factorials[11], kElevenFactorial);
}

TEST_F(Rank, RisingValuesHaveRankZero) {
  EXPECT_EQ(stateRank(defaultState()), 0);
  EXPECT_EQ(stateRank(PuzzleState(kStateSize, 3)), 0);
  EXPECT_EQ(stateRank({5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10}), 0);
  EXPECT_EQ(stateRank({-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 0);
}

TEST_F(Rank, FallingValuesHaveLargestRank) {
  EXPECT_EQ(stateRank({12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}), kTwelveFactorial - 1);
}

TEST_F(Rank, FirstPositionWeighsElevenFactorial) {
  EXPECT_EQ(stateRank({2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}), kElevenFactorial);
  EXPECT_EQ(stateRank({2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}), 11 * kElevenFactorial);
}

TEST_F(Rank, ComparesValuesAsSignedNumbers) {
  EXPECT_EQ(stateRank({-2147483647 - 1, 2147483647, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
            10 * factorials[10]);
}

TEST_F(Rank, DependsOnlyOnTheOrderOfValues) {
  std::mt19937 random(12);
  PuzzleState state = defaultState();
  for (int round = 0; round < 200; ++round) {
    std::shuffle(state.begin(), state.end(), random);
    PuzzleState shifted;
    PuzzleState spread;
    for (const int32_t value : state) {
      shifted.push_back(value - 1000000);
      spread.push_back(value * value * 1000 - 7);
    }
    EXPECT_EQ(stateRank(shifted), stateRank(state));
    EXPECT_EQ(stateRank(spread), stateRank(state));
  }
}

TEST_F(Rank, IsTheLexicographicPositionOfAnArrangement) {
  std::mt19937 random(34);
  PuzzleState state = defaultState();
  std::shuffle(state.begin(), state.end(), random);
  PuzzleState next = state;
  ASSERT_TRUE(std::next_permutation(next.begin(), next.end()));
  EXPECT_EQ(stateRank(next), stateRank(state) + 1);
}

TEST_F(Rank, TellsApartEveryArrangementOfRepeatedValues) {
  PuzzleState state{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2};
  std::vector<int64_t> ranks;
  do {
    ranks.push_back(stateRank(state));
  } while (std::next_permutation(state.begin(), state.end()));
  ASSERT_EQ(ranks.size(), 924u);
  std::sort(ranks.begin(), ranks.end());
  EXPECT_EQ(std::adjacent_find(ranks.begin(), ranks.end()), ranks.end());
}

}  // namespace
