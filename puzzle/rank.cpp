// The factorial table and the rank of a state.
#include "puzzle/rank.h"

std::array<int64_t, kStateSize> factorials{};

void fillFactorials() {
  factorials[0] = 1;
  for (std::size_t k = 1; k < kStateSize; ++k) {
    factorials[k] = factorials[k - 1] * static_cast<int64_t>(k);
  }
}

int64_t stateRank(const PuzzleState& state) {
  int64_t rank = 0;
  for (std::size_t i = 0; i + 1 < kStateSize; ++i) {
    int64_t smallerAfter = 0;
    for (std::size_t j = i + 1; j < kStateSize; ++j) {
      smallerAfter += state[j] < state[i];  // counted without a branch
    }
    rank += smallerAfter * factorials[kStateSize - 1 - i];
  }
  return rank;
}
