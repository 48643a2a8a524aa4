// The plain search: the same records and visited set as the solver, without its care for waste.
#include "bench/plain.h"

#include <algorithm>
#include <set>
#include <vector>

namespace {

using State = std::vector<int32_t>;

constexpr int kStates = 95040;
constexpr std::array<std::array<std::size_t, 12>, 2> kSources = {{
    {11, 9, 7, 5, 3, 1, 2, 4, 6, 8, 10, 12},
    {2, 4, 6, 8, 10, 12, 11, 9, 7, 5, 3, 1},
}};

struct Record {
  State state;
  int32_t parent = 0;
  uint8_t move = 0;
};

std::vector<Record> records(kStates);

State moved(const State& state, std::size_t move) {
  State result;
  for (const std::size_t source : kSources[move]) result.push_back(state[source - 1]);
  return result;
}

int64_t rank(const State& state) {
  int64_t factorial[12] = {1};
  for (int k = 1; k < 12; ++k) factorial[k] = factorial[k - 1] * k;
  int64_t sum = 0;
  for (std::size_t i = 0; i < 11; ++i) {
    int64_t smaller = 0;
    for (std::size_t j = i + 1; j < 12; ++j) {
      if (state[j] < state[i]) ++smaller;
    }
    sum += smaller * factorial[11 - i];
  }
  return sum;
}

}  // namespace

BaselineResult plainSearch(const PackedInput& from, const PackedInput& to) {
  const State goal(to.begin(), to.end());
  records[0] = {State(from.begin(), from.end()), -1, 0};
  std::set<int64_t> visited{rank(records[0].state)};
  int32_t head = 0;
  int32_t tail = 1;
  for (; head < tail; ++head) {
    const State current = records[static_cast<std::size_t>(head)].state;
    if (current == goal) {
      std::string path;
      for (int32_t i = head; i != 0; i = records[static_cast<std::size_t>(i)].parent) {
        path.insert(path.begin(), records[static_cast<std::size_t>(i)].move ? 'R' : 'L');
      }
      return {true, tail, path};
    }
    for (std::size_t move = 0; move < 2; ++move) {
      const State next = moved(current, move);
      const int64_t key = rank(next);
      if (visited.find(key) == visited.end()) {
        records[static_cast<std::size_t>(tail++)] = {next, head, static_cast<uint8_t>(move)};
        visited.insert(key);
      }
    }
  }
  return {false, tail, ""};
}
