// The solver's input dialogue.
#include "solver/dialogue.h"

#include <cstdio>
#include <string>

#include "console/input.h"
#include "solver/search.h"

namespace {

// Reports a state that the input stopped before. At the end of the input the message goes on a
// line of its own, after a line end on standard output, as the menu and the simulator end;
// after a failure that has been reported already, nothing more is written.
bool reportStoppedState(ReadOutcome outcome, const char* which) {
  if (outcome == ReadOutcome::kEnded) {
    std::printf("\n");
    if (flushOutput()) {
      reportLine(std::string("input ended before the ") + which + " state was complete");
    }
  }
  return false;
}

}  // namespace

bool readSolverStates() {
  std::printf("Enter the initial state:\n");
  std::printf("------------------------\n");
  const ReadOutcome initialRead = appendNumbers(initialState, kStateSize);
  if (initialRead != ReadOutcome::kRead) {
    return reportStoppedState(initialRead, "initial");
  }
  std::printf("\n");
  std::printf("Enter the final state.\n");
  std::printf("To use the default configuration, enter -1.\n");
  std::printf("-------------------------------------------\n");
  const ReadOutcome finalRead = readStateOrDefault(finalState);
  if (finalRead != ReadOutcome::kRead) {
    return reportStoppedState(finalRead, "final");
  }
  std::printf("\n");
  return true;
}
