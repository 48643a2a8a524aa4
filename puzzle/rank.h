// The rank: one 64-bit number per state, the state's Lehmer code read in the factorial base.
//
// For twelve distinct values the rank is the position of the arrangement in lexicographic
// order (rising values rank 0, falling values 12! - 1). Repeated values keep the same formula,
// so two arrangements of one multiset of values always have different ranks.
#pragma once

#include <array>
#include <cstdint>

#include "puzzle/state.h"

// factorials[k] = k! for k = 0 to 11; zero until fillFactorials runs.
extern std::array<int64_t, kStateSize> factorials;

// Sets factorials[0] = 1 and factorials[k] = factorials[k - 1] * k for k = 1 to 11.
void fillFactorials();

// Sum over positions i = 1..11 of (number of later values smaller than value i) * (12 - i)!.
// Reads `factorials`, which must be filled; the state must hold twelve values.
int64_t stateRank(const PuzzleState& state);
