// Benchmarks of the moves, the rank and the search, each search next to the packed baseline.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/baseline.h"
#include "puzzle/rank.h"
#include "puzzle/state.h"
#include "solver/report.h"
#include "solver/search.h"

namespace {

PuzzleState swappedDefault() {
  PuzzleState state = defaultState();
  std::swap(state[0], state[1]);
  return state;
}

// Runs one whole search; the queue counters go back to their start values first, as in a fresh
// process.
bool searchOnce(const PuzzleState& from, const PuzzleState& to) {
  queueHead = 0;
  queueTail = 1;
  initialState = from;
  finalState = to;
  return searchStates();
}

// A state 21 moves from the default configuration: the last one an exhaustive search queues.
PuzzleState antipode() {
  searchOnce(defaultState(), swappedDefault());
  return searchQueue[static_cast<std::size_t>(queueTail - 1)].state;
}

PackedInput packed(const PuzzleState& state) {
  PackedInput values{};
  std::copy_n(state.begin(), values.size(), values.begin());
  return values;
}

const PuzzleState kHalves{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2};

void BM_MoveL(benchmark::State& run) {
  PuzzleState state = defaultState();
  for (auto _ : run) {
    state = applyMoveL(state);
    benchmark::DoNotOptimize(state.data());
  }
}
BENCHMARK(BM_MoveL);

void BM_MoveIntoReusedState(benchmark::State& run) {
  PuzzleState state = defaultState();
  PuzzleState next = state;
  for (auto _ : run) {
    applyMoveInto(state, kMoveR, next);
    state.swap(next);
    benchmark::DoNotOptimize(state.data());
  }
}
BENCHMARK(BM_MoveIntoReusedState);

void BM_Rank(benchmark::State& run) {
  fillFactorials();
  PuzzleState state{12, 3, 7, 1, 9, 11, 2, 8, 4, 10, 6, 5};
  for (auto _ : run) {
    benchmark::DoNotOptimize(stateRank(state));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Rank);

// Our search and the baseline on one case; fails the run if they disagree.
void searchCase(benchmark::State& run, const PuzzleState& from, const PuzzleState& to) {
  for (auto _ : run) {
    benchmark::DoNotOptimize(searchOnce(from, to));
  }
  const bool solved = searchOnce(from, to);
  const BaselineResult baseline = baselineSearch(packed(from), packed(to));
  if (solved != baseline.solved || queueTail != baseline.queueTail ||
      (solved && buildSolution() != baseline.solution)) {
    run.SkipWithError("search and baseline disagree");
  }
  run.counters["queueTail"] = queueTail;
}

void baselineCase(benchmark::State& run, const PuzzleState& from, const PuzzleState& to) {
  const PackedInput start = packed(from);
  const PackedInput goal = packed(to);
  for (auto _ : run) {
    benchmark::DoNotOptimize(baselineSearch(start, goal));
  }
  run.counters["queueTail"] = baselineSearch(start, goal).queueTail;
}

void BM_SearchWorstCase(benchmark::State& run) {
  searchCase(run, defaultState(), swappedDefault());
}
void BM_BaselineWorstCase(benchmark::State& run) {
  baselineCase(run, defaultState(), swappedDefault());
}
void BM_SearchAntipode(benchmark::State& run) { searchCase(run, defaultState(), antipode()); }
void BM_BaselineAntipode(benchmark::State& run) { baselineCase(run, defaultState(), antipode()); }
void BM_SearchRepeatedValues(benchmark::State& run) { searchCase(run, kHalves, defaultState()); }
void BM_BaselineRepeatedValues(benchmark::State& run) {
  baselineCase(run, kHalves, defaultState());
}

BENCHMARK(BM_SearchWorstCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineWorstCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchAntipode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineAntipode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchRepeatedValues)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BaselineRepeatedValues)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
