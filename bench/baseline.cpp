// The packed-state baseline search: 4 bits per position, a flat queue and a flat hash table.
#include "bench/baseline.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kStates = 95040;
constexpr int kTableBits = 18;
constexpr std::size_t kTableSize = std::size_t{1} << kTableBits;
constexpr uint64_t kEmpty = ~uint64_t{0};

constexpr std::array<std::array<unsigned, 12>, 2> kSources = {{
    {10, 8, 6, 4, 2, 0, 1, 3, 5, 7, 9, 11},
    {1, 3, 5, 7, 9, 11, 10, 8, 6, 4, 2, 0},
}};

uint64_t packedMove(uint64_t state, std::size_t move) {
  uint64_t result = 0;
  for (std::size_t position = 0; position < 12; ++position) {
    const uint64_t nibble = (state >> (4 * kSources[move][position])) & 15u;
    result |= nibble << (4 * position);
  }
  return result;
}

// Packs `values` as indices into the sorted distinct values of `alphabet`; kEmpty when a value
// is missing from the alphabet (such a state is never reached).
uint64_t pack(const PackedInput& values, const std::vector<int32_t>& alphabet) {
  uint64_t packed = 0;
  for (std::size_t position = 0; position < 12; ++position) {
    const auto found = std::lower_bound(alphabet.begin(), alphabet.end(), values[position]);
    if (found == alphabet.end() || *found != values[position]) return kEmpty;
    packed |= static_cast<uint64_t>(found - alphabet.begin()) << (4 * position);
  }
  return packed;
}

struct HashSet {
  std::vector<uint64_t> slots = std::vector<uint64_t>(kTableSize, kEmpty);
  bool insert(uint64_t key) {
    std::size_t index = (key * 0x9E3779B97F4A7C15ull) >> (64 - kTableBits);
    while (slots[index] != kEmpty) {
      if (slots[index] == key) return false;
      index = (index + 1) & (kTableSize - 1);
    }
    slots[index] = key;
    return true;
  }
};

struct Queue {
  std::array<uint64_t, kStates> state;
  std::array<int32_t, kStates> parent;
  std::array<uint8_t, kStates> move;
};

Queue queue;

std::string pathTo(int32_t index) {
  std::string path;
  for (; index != 0; index = queue.parent[static_cast<std::size_t>(index)]) {
    path.push_back(queue.move[static_cast<std::size_t>(index)] ? 'R' : 'L');
  }
  std::reverse(path.begin(), path.end());
  return path;
}

}  // namespace

BaselineResult baselineSearch(const PackedInput& from, const PackedInput& to) {
  std::vector<int32_t> alphabet(from.begin(), from.end());
  std::sort(alphabet.begin(), alphabet.end());
  alphabet.erase(std::unique(alphabet.begin(), alphabet.end()), alphabet.end());
  const uint64_t goal = pack(to, alphabet);
  HashSet visited;
  queue.state[0] = pack(from, alphabet);
  visited.insert(queue.state[0]);
  int32_t head = 0;
  int32_t tail = 1;
  for (; head < tail; ++head) {
    const uint64_t current = queue.state[static_cast<std::size_t>(head)];
    if (current == goal) return {true, tail, pathTo(head)};
    for (std::size_t move = 0; move < 2; ++move) {
      const uint64_t next = packedMove(current, move);
      if (visited.insert(next)) {
        const auto slot = static_cast<std::size_t>(tail++);
        queue.state[slot] = next;
        queue.parent[slot] = head;
        queue.move[slot] = static_cast<uint8_t>(move);
      }
    }
  }
  return {false, tail, ""};
}
