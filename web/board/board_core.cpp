// What the visual page asks of the program's core: letters applied to a state as the simulator
// applies them, and one solver run (its report in the program's own words, or every state the
// moves reach) per instance of this module, since the solver searches once per process.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "puzzle/state.h"
#include "solver/report.h"
#include "solver/search.h"

namespace {

PuzzleState stateAt(const int32_t* values) { return PuzzleState(values, values + kStateSize); }

}  // namespace

extern "C" {

// Applies L and l as move L, R and r as move R to the twelve values at `values`, in order; every
// other character of the NUL-terminated `letters` is skipped.
void boardApplyLetters(int32_t* values, const char* letters) {
  PuzzleState state = stateAt(values);
  PuzzleState next;
  for (const char letter : std::string_view(letters)) {
    if (letter == 'L' || letter == 'l' || letter == 'R' || letter == 'r') {
      applyMoveInto(state, letter == 'L' || letter == 'l' ? kMoveL : kMoveR, next);
      state.swap(next);
    }
  }
  std::copy(state.begin(), state.end(), values);
}

// Runs the solver from the twelve values at `from` to those at `to` and writes its run report on
// standard output.
void boardSolve(const int32_t* from, const int32_t* to) {
  initialState = stateAt(from);
  finalState = stateAt(to);
  runSolver();
  std::fflush(stdout);
}

// Searches every state that the moves reach from the twelve values at `from` (the final state is
// empty, so that no state is it) and returns how many there are, `from` included.
int32_t boardReachable(const int32_t* from) {
  initialState = stateAt(from);
  finalState.clear();
  searchStates();
  return queueTail;
}

// Copies the state that the last search queued at `index` to `values`.
void boardQueuedState(int32_t index, int32_t* values) {
  const PuzzleState& state = searchQueue[static_cast<std::size_t>(index)].state;
  std::copy(state.begin(), state.end(), values);
}

}  // extern "C"
