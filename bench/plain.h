// A plain reading of the solver's search, to measure the solver against: a fresh state per
// move grown one value at a time, the visited set looked up and then inserted, a branchy rank.
// Used by the benchmarks only.
#pragma once

#include "bench/baseline.h"

BaselineResult plainSearch(const PackedInput& from, const PackedInput& to);
