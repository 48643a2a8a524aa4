// The solver's input dialogue.
#include "solver/dialogue.h"

#include <cstdio>

#include "console/input.h"
#include "solver/search.h"

namespace {

bool reportEndedState(const char* which) {
  std::fprintf(stderr, "mathieu12: input ended before the %s state was complete\n", which);
  return false;
}

}  // namespace

bool readSolverStates() {
  std::printf("Enter the initial state:\n");
  std::printf("------------------------\n");
  if (!appendNumbers(initialState, kStateSize)) {
    return reportEndedState("initial");
  }
  std::printf("\n");
  std::printf("Enter the final state.\n");
  std::printf("To use the default configuration, enter -1.\n");
  std::printf("-------------------------------------------\n");
  if (!readStateOrDefault(finalState)) {
    return reportEndedState("final");
  }
  std::printf("\n");
  return true;
}
