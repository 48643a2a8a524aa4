// The solver's breadth-first search over the states that L and R reach, and the data it leaves.
//
// Contract: solver/ owns the two states of a solver run, the fixed queue of 95040 records with
// its two counters, the search, and the run report read back from the queue. The queue and
// the counters live in static storage and are never reset: one process runs one search. The
// solver never changes the puzzle's moves or rank and never ends the process itself.
#pragma once

#include <array>
#include <cstdint>

#include "puzzle/state.h"

// One slot of the queue: a state held whole, the slot it was reached from and by which move.
struct SearchRecord {
  PuzzleState state;
  int32_t parent = 0;  // -1 in the root
  MoveFlag move = 0;
};

// The states of a solver run, filled by the input dialogue.
extern PuzzleState initialState;
extern PuzzleState finalState;

// Every state the search has found, in the order found; slot 0 is the initial state.
extern std::array<SearchRecord, kTotalStates> searchQueue;

// The slot expanded next; after a successful search, the slot that holds the final state.
extern int32_t queueHead;

// The number of slots in use, the root included.
extern int32_t queueTail;

// Searches from initialState until finalState is taken out of the queue (true) or every
// reachable state has been queued (false). L is tried before R, so the path recorded to each
// state is the shortest one that comes first in alphabetical order.
bool searchStates();
