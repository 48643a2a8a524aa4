// The moves L and R: their tables, their cycles and how they combine.
#include <gtest/gtest.h>

#include "puzzle/state.h"

namespace {

PuzzleState applyTimes(PuzzleState state, PuzzleState (*move)(const PuzzleState&), int times) {
  for (int i = 0; i < times; ++i) {
    state = move(state);
  }
  return state;
}

TEST(Moves, LAndRFollowTheirTablesOnTheDefaultConfiguration) {
  EXPECT_EQ(applyMoveL(defaultState()), (PuzzleState{11, 9, 7, 5, 3, 1, 2, 4, 6, 8, 10, 12}));
  EXPECT_EQ(applyMoveR(defaultState()), (PuzzleState{2, 4, 6, 8, 10, 12, 11, 9, 7, 5, 3, 1}));
}

TEST(Moves, LeaveTheirArgumentUnchanged) {
  const PuzzleState start = defaultState();
  (void)applyMoveL(start);
  (void)applyMoveR(start);
  EXPECT_EQ(start, defaultState());
}

TEST(Moves, LHasOrderElevenAndRHasOrderTen) {
  const PuzzleState start{-5, 70, 3, 0, 2147483647, -2147483647 - 1, 8, 9, 1, 4, 6, 12};
  for (int times = 1; times <= 10; ++times) {
    EXPECT_NE(applyTimes(defaultState(), applyMoveL, times), defaultState()) << times << " L";
  }
  for (int times = 1; times <= 9; ++times) {
    EXPECT_NE(applyTimes(defaultState(), applyMoveR, times), defaultState()) << times << " R";
  }
  EXPECT_EQ(applyTimes(start, applyMoveL, 11), start);
  EXPECT_EQ(applyTimes(start, applyMoveR, 10), start);
  EXPECT_EQ(applyTimes(defaultState(), applyMoveL, 5),
            (PuzzleState{5, 10, 1, 9, 6, 4, 11, 2, 8, 7, 3, 12}));
}

TEST(Moves, LThenRIsNotTheIdentity) {
  EXPECT_EQ(applyMoveR(applyMoveL(defaultState())),
            (PuzzleState{9, 5, 1, 4, 8, 12, 10, 6, 2, 3, 7, 11}));
}

TEST(Moves, NeverLookAtValues) {
  const PuzzleState equal(kStateSize, 7);
  EXPECT_EQ(applyMoveL(equal), equal);
  EXPECT_EQ(applyMoveR(equal), equal);
  const PuzzleState halves{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2};
  EXPECT_EQ(applyMoveL(halves), (PuzzleState{2, 2, 2, 1, 1, 1, 1, 1, 1, 2, 2, 2}));
}

TEST(Moves, MoveIntoReusesTheTargetAndMatchesTheCopyingMoves) {
  PuzzleState target{99};
  applyMoveInto(defaultState(), kMoveL, target);
  EXPECT_EQ(target, applyMoveL(defaultState()));
  applyMoveInto(defaultState(), kMoveR, target);
  EXPECT_EQ(target, applyMoveR(defaultState()));
}

}  // namespace
