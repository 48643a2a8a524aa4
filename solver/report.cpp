// The run report of a solver run.
#include "solver/report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "solver/search.h"

std::string buildSolution() {
  std::string solution;
  for (int32_t i = queueHead; i != 0; i = searchQueue[static_cast<std::size_t>(i)].parent) {
    solution.push_back(searchQueue[static_cast<std::size_t>(i)].move == kMoveR ? 'R' : 'L');
  }
  // The walk runs from the goal back to the root, so the letters were gathered last move first.
  std::reverse(solution.begin(), solution.end());
  return solution;
}

namespace {

void printLabelledState(const char* label, const PuzzleState& state) {
  std::printf("%s", label);
  printState(state);
  std::printf("\n");
}

void printInvestigated() {
  const double share = static_cast<double>(queueTail) * 100.0 / static_cast<double>(kTotalStates);
  std::printf("Investigated %d states (%.2lf%%)\n", queueTail, share);
}

void printSolvability(bool solved) {
  if (!solved) {
    std::printf("Solvability: Unsolvable\n");
    return;
  }
  const std::string solution = buildSolution();
  std::printf("Solvability: Solvable in %d moves\n", static_cast<int>(solution.size()));
  std::printf("Shortest solution: %s\n", solution.c_str());
}

}  // namespace

void runSolver() {
  const bool solved = searchStates();
  std::printf("Run report\n");
  std::printf("----------\n");
  printLabelledState("Initial state: ", initialState);
  printLabelledState("Final state: ", finalState);
  printInvestigated();
  printSolvability(solved);
}
