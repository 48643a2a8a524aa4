// Program entry: the menu, the choice, and the mode it starts.
#include <cstdio>
#include <optional>

#include "console/input.h"
#include "simulator/simulator.h"
#include "solver/dialogue.h"
#include "solver/report.h"

namespace {

constexpr int32_t kSolverChoice = 1;
constexpr int32_t kSimulatorChoice = 2;

// Exit status when the input ends before the solver has both states.
constexpr int kIncompleteInputStatus = 1;

// Exit status when standard output could not be written in full.
constexpr int kOutputFailedStatus = 1;

void showMenu() {
  std::printf("1: Launch Mathieu-12 solver\n");
  std::printf("2: Launch Mathieu-12 simulator\n");
  std::printf("------------------------------\n");
}

int solverMode() {
  if (!readSolverStates()) {
    return kIncompleteInputStatus;
  }
  runSolver();
  return 0;
}

int simulatorMode() {
  runSimulator();
  return 0;
}

// Runs the chosen mode; end of input reads as no choice, which ends like any choice but 1 and 2.
int dispatch(std::optional<int32_t> choice) {
  if (choice == kSolverChoice) {
    return solverMode();
  }
  if (choice == kSimulatorChoice) {
    return simulatorMode();
  }
  return 0;
}

// A run whose output was lost is not reported as a success.
int outputChecked(int status) {
  const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  return written ? status : kOutputFailedStatus;
}

}  // namespace

int main() {
  showMenu();
  const std::optional<int32_t> choice = readNumber();
  std::printf("\n");
  return outputChecked(dispatch(choice));
}
