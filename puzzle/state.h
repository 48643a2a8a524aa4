// The puzzle's state, the default configuration, the moves L and R and printing a state.
//
// Contract: puzzle/ owns what a state is, how the two moves rearrange its twelve positions, how
// a state is printed and the rank that names a state by one number (puzzle/rank.h). It never
// reads input, never looks at the values it moves, and keeps no global state but the rank's
// factorial table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A row of values, position 1 first; every state the program builds holds exactly twelve.
using PuzzleState = std::vector<int32_t>;

// Which move: 0 for L, 1 for R.
using MoveFlag = uint8_t;

inline constexpr MoveFlag kMoveL = 0;
inline constexpr MoveFlag kMoveR = 1;

// Number of positions in a state.
inline constexpr std::size_t kStateSize = 12;

// Number of rearrangements that L and R generate (the Mathieu group M12).
inline constexpr int32_t kTotalStates = 95040;

// The state after move L; the argument is left unchanged.
PuzzleState applyMoveL(const PuzzleState& state);

// The state after move R; the argument is left unchanged.
PuzzleState applyMoveR(const PuzzleState& state);

// Writes the state after `move` of `from` into `to`, reusing the storage `to` already has.
// `from` and `to` must be different objects; `from` must hold at least twelve values.
void applyMoveInto(const PuzzleState& from, MoveFlag move, PuzzleState& to);

// Value k at position k: 1 2 3 ... 12.
PuzzleState defaultState();

// Writes every value as "%d " (the last one too), with no label and no line end.
void printState(const PuzzleState& state);
