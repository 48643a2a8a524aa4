// The factorial table and the rank of a state.
#include "puzzle/rank.h"

#include <algorithm>

std::array<int64_t, kStateSize> factorials{};

void fillFactorials() {
  factorials[0] = 1;
  for (std::size_t k = 1; k < kStateSize; ++k) {
    factorials[k] = factorials[k - 1] * static_cast<int64_t>(k);
  }
}

int64_t stateRank(const PuzzleState& state) {
  std::array<int32_t, kStateSize> values{};
  std::copy_n(state.begin(), kStateSize, values.begin());
  // smallerAfter[i] counts the later positions j > i whose value is smaller than value i. The
  // inner loop runs over every position i with the ones not before j masked out: a loop of fixed
  // length without branches, which the compiler turns into a few vector comparisons.
  std::array<int32_t, kStateSize> smallerAfter{};
  for (int32_t j = 1; j < static_cast<int32_t>(kStateSize); ++j) {
    const int32_t later = values[static_cast<std::size_t>(j)];
    for (int32_t i = 0; i < static_cast<int32_t>(kStateSize); ++i) {
      const std::size_t position = static_cast<std::size_t>(i);
      smallerAfter[position] +=
          static_cast<int32_t>(i < j) & static_cast<int32_t>(later < values[position]);
    }
  }
  int64_t rank = 0;
  for (std::size_t i = 0; i + 1 < kStateSize; ++i) {
    rank += smallerAfter[i] * factorials[kStateSize - 1 - i];
  }
  return rank;
}
