// A comparison search as a whole process: reads a solver input and prints the same run report.
// Built twice: with the packed baseline and with the plain reading (MATHIEU12_PLAIN_SEARCH).
#include <cstdio>

#include "bench/baseline.h"
#include "bench/plain.h"

#ifdef MATHIEU12_PLAIN_SEARCH
constexpr auto kSearch = plainSearch;
#else
constexpr auto kSearch = baselineSearch;
#endif

int main() {
  int choice = 0;
  PackedInput from{};
  PackedInput to{};
  if (std::scanf("%d", &choice) != 1 || choice != 1) return 1;
  for (int32_t& value : from) {
    if (std::scanf("%d", &value) != 1) return 1;
  }
  if (std::scanf("%d", &to[0]) != 1) return 1;
  if (to[0] == -1) {
    for (int k = 0; k < 12; ++k) to[static_cast<std::size_t>(k)] = k + 1;
  } else {
    for (std::size_t k = 1; k < 12; ++k) {
      if (std::scanf("%d", &to[k]) != 1) return 1;
    }
  }
  const BaselineResult result = kSearch(from, to);
  std::printf("Run report\n----------\nInitial state: ");
  for (const int32_t value : from) std::printf("%d ", value);
  std::printf("\nFinal state: ");
  for (const int32_t value : to) std::printf("%d ", value);
  std::printf("\nInvestigated %d states (%.2lf%%)\n", result.queueTail,
              static_cast<double>(result.queueTail) * 100.0 / 95040.0);
  if (result.solved) {
    std::printf("Solvability: Solvable in %d moves\nShortest solution: %s\n",
                static_cast<int>(result.solution.size()), result.solution.c_str());
  } else {
    std::printf("Solvability: Unsolvable\n");
  }
  return 0;
}
