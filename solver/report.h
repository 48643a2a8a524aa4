// The solver run: the search, the solution read back along parent links, and the run report.
#pragma once

#include <string>

// The letters of the moves from initialState to the record at queueHead, first move first.
// Valid only after a successful search.
std::string buildSolution();

// Runs the search and writes the run report.
void runSolver();
