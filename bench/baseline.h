// A minimal breadth-first search to measure the solver against: each state packed into one
// 64-bit word, visited states in an open-addressing hash table. Used by the benchmarks only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

using PackedInput = std::array<int32_t, 12>;

struct BaselineResult {
  bool solved = false;
  int32_t queueTail = 0;
  std::string solution;
};

// Searches from `from` to `to` with the same order as the solver (goal tested when taken out of
// the queue, L before R), so it finds the same solution after queueing the same number of states.
BaselineResult baselineSearch(const PackedInput& from, const PackedInput& to);
