// The simulator's two loops: one pass per simulation, one turn per move token.
#include "simulator/simulator.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "console/input.h"
#include "puzzle/state.h"

namespace {

// Room for one piece of a move token: 1023 characters. A longer token is read and applied piece
// by piece, with the same result as if it were read whole.
constexpr std::size_t kMoveBufferSize = 1023;

// Replaces `state` by the state after `move`. The new values are written into `scratch`, a state
// of the same size kept by the caller, so that applying a move allocates nothing.
void applyInPlace(PuzzleState& state, PuzzleState& scratch, MoveFlag move) {
  applyMoveInto(state, move, scratch);
  state.swap(scratch);
}

// Applies L and l as move L, R and r as move R, in order; every other character is skipped.
void applyLetters(PuzzleState& state, PuzzleState& scratch, std::string_view letters) {
  for (const char letter : letters) {
    if (letter == 'L' || letter == 'l') {
      applyInPlace(state, scratch, kMoveL);
    } else if (letter == 'R' || letter == 'r') {
      applyInPlace(state, scratch, kMoveR);
    }
  }
}

void printStateHeading() {
  std::printf("Enter the initial state.\n");
  std::printf("To use the default configuration, enter -1.\n");
  std::printf("To quit the simulation, hit Ctrl+C:\n");
  std::printf("-------------------------------------------\n");
}

void printMoveInstructions() {
  std::printf("\n");
  std::printf("Enter move(s) using L and R (e.g. LLRLR).\n");
  std::printf("To quit and start another simulation, type -1:\n");
  std::printf("\n");
}

void printCurrentState(const PuzzleState& state) {
  std::printf("Current state: ");
  printState(state);
  std::printf("\n");
}

// Reads one token and applies its letters piece by piece. The exact token -1 applies nothing and
// sets `newSimulation` instead.
ReadOutcome takeTurn(PuzzleState& state, PuzzleState& scratch, bool& newSimulation) {
  std::array<char, kMoveBufferSize> buffer{};
  std::string_view piece;
  bool tokenContinues = false;
  ReadOutcome outcome = readTokenPiece(buffer, piece, tokenContinues);
  if (outcome != ReadOutcome::kRead) {
    return outcome;
  }
  if (!tokenContinues && piece == "-1") {
    newSimulation = true;
    return outcome;
  }
  applyLetters(state, scratch, piece);
  while (tokenContinues) {
    // Once a token has begun, the input can no longer end before it: only a read error stops it.
    outcome = readTokenPiece(buffer, piece, tokenContinues);
    if (outcome != ReadOutcome::kRead) {
      return outcome;
    }
    applyLetters(state, scratch, piece);
  }
  return outcome;
}

// One simulation from its state heading on. Returns kRead when the token -1 asks for the next
// simulation, otherwise how the input stopped.
ReadOutcome runOneSimulation(PuzzleState& state, PuzzleState& scratch) {
  state.clear();
  printStateHeading();
  const ReadOutcome stateRead = readStateOrDefault(state);
  if (stateRead != ReadOutcome::kRead) {
    return stateRead;
  }
  printMoveInstructions();
  for (;;) {
    printCurrentState(state);
    std::printf("Move(s): ");
    bool newSimulation = false;
    const ReadOutcome outcome = takeTurn(state, scratch, newSimulation);
    if (outcome != ReadOutcome::kRead) {
      return outcome;
    }
    if (newSimulation) {
      std::printf("\n");
      return outcome;
    }
  }
}

}  // namespace

bool runSimulator() {
  PuzzleState state;
  PuzzleState scratch;
  ReadOutcome outcome = ReadOutcome::kRead;
  while (outcome == ReadOutcome::kRead) {
    outcome = runOneSimulation(state, scratch);
  }
  if (outcome == ReadOutcome::kFailed) {
    return false;
  }
  std::printf("\n");
  return true;
}
