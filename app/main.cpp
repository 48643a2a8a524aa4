// Program entry: the menu, the choice, and the mode it starts.
#include <cstdint>
#include <cstdio>

#include "console/input.h"
#include "simulator/simulator.h"
#include "solver/dialogue.h"
#include "solver/report.h"

namespace {

constexpr int32_t kSolverChoice = 1;
constexpr int32_t kSimulatorChoice = 2;

// Exit status when the solver's input ends early, or standard input or output fails; each of
// these has been reported by one line on standard error.
constexpr int kFailureStatus = 1;

void showMenu() {
  std::printf("1: Launch Mathieu-12 solver\n");
  std::printf("2: Launch Mathieu-12 simulator\n");
  std::printf("------------------------------\n");
}

int solverMode() {
  if (!readSolverStates()) {
    return kFailureStatus;
  }
  runSolver();
  return 0;
}

int simulatorMode() { return runSimulator() ? 0 : kFailureStatus; }

// Runs the chosen mode; any choice but 1 and 2 ends the program at once.
int dispatch(int32_t choice) {
  if (choice == kSolverChoice) {
    return solverMode();
  }
  if (choice == kSimulatorChoice) {
    return simulatorMode();
  }
  return 0;
}

// A run that ends without a failure still fails if its output cannot be written in full. A run
// that failed has reported that already and writes nothing more.
int outputChecked(int status) { return status == 0 && !flushOutput() ? kFailureStatus : status; }

}  // namespace

int main() {
  showMenu();
  int32_t choice = 0;
  const ReadOutcome outcome = readNumber(choice);
  if (outcome == ReadOutcome::kFailed) {
    return kFailureStatus;
  }
  std::printf("\n");
  // End of input at the menu ends the program like any choice but 1 and 2.
  const int status = outcome == ReadOutcome::kRead ? dispatch(choice) : 0;
  return outputChecked(status);
}
