// The interactive simulator: typed strings of L and R applied to a state.
//
// Contract: simulator/ owns the simulator dialogue and its working state, a local of its own.
// It shares only the puzzle's state and moves with the rest of the program, and it reads input
// only through console/.
#pragma once

// Runs simulations until the input stops: each asks for a state (or -1 for the default), then
// applies move tokens and shows the state after each; the token -1 starts a new simulation.
// When the input ends it writes a line end and returns true. It returns false, writing nothing
// more, when standard input could not be read or standard output could not be written; that
// failure has been reported on standard error.
bool runSimulator();
