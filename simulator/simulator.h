// The interactive simulator: typed strings of L and R applied to a state.
//
// Contract: simulator/ owns the simulator dialogue and its working state, a local of its own.
// It shares only the puzzle's state and moves with the rest of the program, and it reads input
// only through console/.
#pragma once

// Runs simulations until the input ends: each asks for a state (or -1 for the default), then
// applies move tokens and shows the state after each; the token -1 starts a new simulation.
// When the input ends it writes a line end and returns.
void runSimulator();
