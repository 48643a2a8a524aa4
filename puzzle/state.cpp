// The two moves as tables of source positions, the default configuration and state printing.
#include "puzzle/state.h"

#include <array>
#include <cstdio>

namespace {

// For each move, the position (counted from 1) whose value lands at result positions 1 to 12.
// L takes the odd positions from 11 down to 1, then the even ones from 2 up to 12; R takes the
// even positions from 2 up, then the odd ones from 11 down.
constexpr std::array<std::array<std::size_t, kStateSize>, 2> kMoveSources = {{
    {11, 9, 7, 5, 3, 1, 2, 4, 6, 8, 10, 12},
    {2, 4, 6, 8, 10, 12, 11, 9, 7, 5, 3, 1},
}};

PuzzleState applyMove(const PuzzleState& state, MoveFlag move) {
  PuzzleState result;
  result.reserve(kStateSize);
  applyMoveInto(state, move, result);
  return result;
}

}  // namespace

void applyMoveInto(const PuzzleState& from, MoveFlag move, PuzzleState& to) {
  const auto& sources = kMoveSources[move];
  to.resize(kStateSize);
  for (std::size_t position = 0; position < kStateSize; ++position) {
    to[position] = from[sources[position] - 1];
  }
}

PuzzleState applyMoveL(const PuzzleState& state) { return applyMove(state, kMoveL); }

PuzzleState applyMoveR(const PuzzleState& state) { return applyMove(state, kMoveR); }

PuzzleState defaultState() { return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}; }

void printState(const PuzzleState& state) {
  for (const int32_t value : state) {
    std::printf("%d ", value);
  }
}
