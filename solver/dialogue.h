// The solver's input dialogue: asks for the initial and the final state.
#pragma once

// Writes the two headings and fills initialState (twelve numbers) and finalState (twelve
// numbers, or -1 for the default configuration). Returns false, after one line on standard
// error, when the input ends before both states are complete (then after a line end on standard
// output), or when standard input or output fails.
bool readSolverStates();
