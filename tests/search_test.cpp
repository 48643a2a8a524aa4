// The breadth-first search and the solution read back from its queue.
#include "solver/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "solver/report.h"
#include "tests/expected.h"

namespace {

// Each test runs one search, so the fixture puts the queue counters back to their start values.
class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    queueHead = 0;
    queueTail = 1;
  }

  bool search(const PuzzleState& from, const PuzzleState& to) {
    initialState = from;
    finalState = to;
    return searchStates();
  }
};

PuzzleState withFirstTwoSwapped(PuzzleState state) {
  std::swap(state[0], state[1]);
  return state;
}

TEST_F(Search, EqualStatesSucceedWithoutExpanding) {
  ASSERT_TRUE(search(defaultState(), defaultState()));
  EXPECT_EQ(queueHead, 0);
  EXPECT_EQ(queueTail, 1);
  EXPECT_EQ(buildSolution(), "");
  EXPECT_EQ(searchQueue[0].parent, -1);
}

TEST_F(Search, GoalIsTestedWhenTakenOutOfTheQueue) {
  ASSERT_TRUE(search(defaultState(), applyMoveL(defaultState())));
  EXPECT_EQ(queueHead, 1);
  EXPECT_EQ(queueTail, 3);
  EXPECT_EQ(buildSolution(), "L");
}

TEST_F(Search, AfterOneRTheFirstSuccessorIsExpandedFirst) {
  ASSERT_TRUE(search(defaultState(), applyMoveR(defaultState())));
  EXPECT_EQ(queueHead, 2);
  EXPECT_EQ(queueTail, 5);
  EXPECT_EQ(buildSolution(), "R");
}

TEST_F(Search, UndoingOneMoveTakesTheRestOfItsCycle) {
  ASSERT_TRUE(search(applyMoveL(defaultState()), defaultState()));
  EXPECT_EQ(buildSolution(), std::string(10, 'L'));
  EXPECT_NEAR(queueTail * 100.0 / kTotalStates, 2.15, 0.005);
  SetUp();
  ASSERT_TRUE(search(applyMoveR(defaultState()), defaultState()));
  EXPECT_EQ(buildSolution(), std::string(9, 'R'));
  EXPECT_NEAR(queueTail * 100.0 / kTotalStates, 2.15, 0.005);
}

TEST_F(Search, ReversingTheRowTakesLThenNineR) {
  ASSERT_TRUE(search(defaultState(), {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(buildSolution(), "LRRRRRRRRR");
  EXPECT_NEAR(queueTail * 100.0 / kTotalStates, 3.19, 0.005);
}

TEST_F(Search, UnreachableGoalQueuesTheWholeGroup) {
  EXPECT_FALSE(search(defaultState(), withFirstTwoSwapped(defaultState())));
  EXPECT_EQ(queueTail, kTotalStates);
  EXPECT_EQ(queueHead, kTotalStates);
  SetUp();
  EXPECT_FALSE(search(defaultState(), PuzzleState(kStateSize, 0)));
  EXPECT_EQ(queueTail, kTotalStates);
}

TEST_F(Search, RepeatedValuesShrinkTheReachableSet) {
  const PuzzleState halves{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2};
  EXPECT_FALSE(search(halves, defaultState()));
  EXPECT_EQ(queueTail, 792);
  SetUp();
  ASSERT_TRUE(search(halves, {2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(buildSolution(), "LLRRRRRLLL");
  EXPECT_EQ(queueTail, 666);
  SetUp();
  EXPECT_FALSE(search({1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2}, defaultState()));
  EXPECT_EQ(queueTail, 12);
  SetUp();
  EXPECT_FALSE(search(PuzzleState(kStateSize, 4), defaultState()));
  EXPECT_EQ(queueTail, 1);
  SetUp();
  EXPECT_FALSE(search({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11}, defaultState()));
  EXPECT_EQ(queueTail, kTotalStates);
}

// Depth of every queued state, from the parent links of an exhaustive search.
std::vector<int> depthsOfQueue() {
  std::vector<int> depth(static_cast<std::size_t>(queueTail), 0);
  for (std::size_t i = 1; i < depth.size(); ++i) {
    depth[i] = depth[static_cast<std::size_t>(searchQueue[i].parent)] + 1;
  }
  return depth;
}

TEST_F(Search, NoStateIsMoreThanTwentyOneMovesAway) {
  ASSERT_FALSE(search(defaultState(), withFirstTwoSwapped(defaultState())));
  const std::vector<int> depth = depthsOfQueue();
  EXPECT_EQ(*std::max_element(depth.begin(), depth.end()), 21);
  EXPECT_EQ(std::count(depth.begin(), depth.end(), 21), 136);
  EXPECT_TRUE(std::is_sorted(depth.begin(), depth.end()));
}

// The first sequence of letters, in alphabetical order among the shortest, that leads from
// `from` to `to`, found by trying every sequence of each length in turn.
std::string firstShortestByBruteForce(const PuzzleState& from, const PuzzleState& to, int most) {
  for (int length = 0; length <= most; ++length) {
    for (uint32_t bits = 0; bits < (1u << length); ++bits) {
      std::string letters;
      for (int i = length - 1; i >= 0; --i) {
        letters.push_back((bits >> i) & 1u ? 'R' : 'L');
      }
      if (applyLetters(from, letters) == to) {
        return letters;
      }
    }
  }
  return "none";
}

TEST_F(Search, SolutionIsTheFirstShortestInAlphabeticalOrder) {
  std::mt19937 random(2026);
  for (int round = 0; round < 12; ++round) {
    std::string scramble;
    for (int i = 0; i < 9; ++i) {
      scramble.push_back(random() % 2 ? 'R' : 'L');
    }
    const PuzzleState start{40, -3, 7, 7, 0, 12, 99, 5, -8, 31, 2, 6};
    const PuzzleState goal = applyLetters(start, scramble);
    SetUp();
    ASSERT_TRUE(search(start, goal)) << scramble;
    EXPECT_EQ(buildSolution(), firstShortestByBruteForce(start, goal, 9)) << scramble;
    EXPECT_EQ(applyLetters(start, buildSolution()), goal);
  }
}

}  // namespace
