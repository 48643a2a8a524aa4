// What the program is expected to write, built independently of the program's own printing.
#pragma once

#include <cstring>
#include <string>

#include "puzzle/state.h"

// The menu and the blank line after the choice.
inline constexpr const char* kMenu =
    "1: Launch Mathieu-12 solver\n"
    "2: Launch Mathieu-12 simulator\n"
    "------------------------------\n"
    "\n";

inline constexpr const char* kSimulatorStateHeading =
    "Enter the initial state.\n"
    "To use the default configuration, enter -1.\n"
    "To quit the simulation, hit Ctrl+C:\n"
    "-------------------------------------------\n";

inline constexpr const char* kMoveInstructions =
    "\n"
    "Enter move(s) using L and R (e.g. LLRLR).\n"
    "To quit and start another simulation, type -1:\n"
    "\n";

// "Current state: " and the values, each followed by a blank, then the line end.
inline std::string stateLine(const PuzzleState& state) {
  std::string line = "Current state: ";
  for (const int32_t value : state) {
    line += std::to_string(value) + " ";
  }
  return line + "\n";
}

// One simulation from its state heading on: the default state, one token whose moves lead to
// `after`, and the line end that follows the next prompt (for -1 or for the end of input).
inline std::string simulationWithOneToken(const PuzzleState& after) {
  return std::string(kSimulatorStateHeading) + kMoveInstructions + stateLine(defaultState()) +
         "Move(s): " + stateLine(after) + "Move(s): \n";
}

// The state after the letters as the simulator reads them: L and l, R and r; others skipped.
inline PuzzleState applyLetters(PuzzleState state, const std::string& letters) {
  for (const char letter : letters) {
    if (letter == 'L' || letter == 'l') state = applyMoveL(state);
    if (letter == 'R' || letter == 'r') state = applyMoveR(state);
  }
  return state;
}

// The one line on standard error when a standard stream fails: `what` is "read standard input" or
// "write standard output", `error` the errno value.
inline std::string streamFailureLine(const std::string& what, int error) {
  return "mathieu12: cannot " + what + ": " + std::strerror(error) + "\n";
}
