// The simulator's two loops: one pass per simulation, one turn per move token.
#include "simulator/simulator.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "console/input.h"
#include "puzzle/state.h"

namespace {

// Room for a token piece of up to 1023 characters and its terminating zero.
constexpr std::size_t kMoveBufferSize = 1024;

// What a turn at the prompt "Move(s): " led to.
enum class Turn { kMovesApplied, kNewSimulation, kInputEnded };

// The working state and a second state of the same size that each move writes into, so that
// applying a move allocates nothing.
struct Board {
  PuzzleState current;
  PuzzleState scratch;

  void apply(MoveFlag move) {
    applyMoveInto(current, move, scratch);
    current.swap(scratch);
  }
};

void applyLetters(Board& board, std::string_view letters) {
  for (const char letter : letters) {
    if (letter == 'L' || letter == 'l') {
      board.apply(kMoveL);
    } else if (letter == 'R' || letter == 'r') {
      board.apply(kMoveR);
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

// Reads one token and applies its letters piece by piece; the exact token -1 applies nothing.
Turn takeTurn(Board& board) {
  std::array<char, kMoveBufferSize> buffer{};
  std::optional<TokenPiece> piece = readTokenPiece(buffer);
  if (!piece) {
    return Turn::kInputEnded;
  }
  if (piece->endsToken && piece->text == "-1") {
    return Turn::kNewSimulation;
  }
  applyLetters(board, piece->text);
  while (!piece->endsToken) {
    piece = readTokenPiece(buffer);
    applyLetters(board, piece->text);
  }
  return Turn::kMovesApplied;
}

// One simulation from its state heading on. Returns false when the input has ended.
bool runOneSimulation(Board& board) {
  board.current.clear();
  printStateHeading();
  if (!readStateOrDefault(board.current)) {
    return false;
  }
  printMoveInstructions();
  for (;;) {
    printCurrentState(board.current);
    std::printf("Move(s): ");
    switch (takeTurn(board)) {
      case Turn::kMovesApplied:
        break;
      case Turn::kNewSimulation:
        std::printf("\n");
        return true;
      case Turn::kInputEnded:
        return false;
    }
  }
}

}  // namespace

void runSimulator() {
  Board board;
  while (runOneSimulation(board)) {
  }
  std::printf("\n");
}
