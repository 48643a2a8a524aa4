// The distance of every state to one target: a breadth-first search from the target through the
// moves' inverses, kept so that the page looks up the distance of any board in constant time.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "puzzle/state.h"

namespace {

// A state of the target's orbit, packed: the value at each position replaced by its index among
// the target's distinct values (at most twelve, so four bits a position), position 1 lowest.
using PackedState = uint64_t;

constexpr unsigned kBitsPerPosition = 4;
constexpr PackedState kPositionMask = 0xF;
constexpr uint8_t kUnreached = 0xFF;
// Room for every state of the orbit (95040 at most) at a load under 40%: probes stay short.
constexpr std::size_t kSlotBits = 18;
constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
constexpr PackedState kEmptySlot = ~PackedState{0};

// For each move, the position (from 0) whose value its inverse brings to each position: read
// from the puzzle's own move applied to the positions' numbers, then turned around.
using Positions = std::array<std::size_t, kStateSize>;
std::array<Positions, 2> inverseSources() {
  PuzzleState positions(kStateSize);
  for (std::size_t i = 0; i < kStateSize; ++i) positions[i] = static_cast<int32_t>(i);
  std::array<Positions, 2> inverses{};
  for (const MoveFlag move : {kMoveL, kMoveR}) {
    PuzzleState moved;
    applyMoveInto(positions, move, moved);
    // The move brings the value of position moved[i] to position i; its inverse takes it back.
    for (std::size_t i = 0; i < kStateSize; ++i) {
      inverses[move][static_cast<std::size_t>(moved[i])] = i;
    }
  }
  return inverses;
}

PackedState rearranged(PackedState packed, const Positions& sources) {
  PackedState result = 0;
  for (std::size_t i = 0; i < kStateSize; ++i) {
    const PackedState label = (packed >> (kBitsPerPosition * sources[i])) & kPositionMask;
    result |= label << (kBitsPerPosition * i);
  }
  return result;
}

// The table of one target: its distinct values in rising order, an open-addressed set of packed
// states with their distances, and the states in the order found, nearest first.
struct DistanceTable {
  std::vector<int32_t> values;
  std::vector<PackedState> keys = std::vector<PackedState>(kSlots, kEmptySlot);
  std::vector<uint8_t> distances = std::vector<uint8_t>(kSlots, kUnreached);
  std::vector<PackedState> found;
  std::vector<int32_t> firstAtDistance;  // index in `found` of each distance's first state; then the end

  static std::size_t slotOf(PackedState packed) {
    return static_cast<std::size_t>((packed * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits));
  }

  // The slot that holds `packed`, or the empty slot where it would go.
  std::size_t find(PackedState packed) const {
    std::size_t slot = slotOf(packed);
    while (keys[slot] != kEmptySlot && keys[slot] != packed) slot = (slot + 1) & (kSlots - 1);
    return slot;
  }

  // Records `packed` at `distance` unless it is already known.
  void reach(PackedState packed, uint8_t distance) {
    const std::size_t slot = find(packed);
    if (keys[slot] != kEmptySlot) return;
    keys[slot] = packed;
    distances[slot] = distance;
    found.push_back(packed);
  }

  // False when the state holds a value the target does not hold.
  bool pack(const int32_t* state, PackedState& packed) const {
    packed = 0;
    for (std::size_t i = 0; i < kStateSize; ++i) {
      const auto at = std::lower_bound(values.begin(), values.end(), state[i]);
      if (at == values.end() || *at != state[i]) return false;
      packed |= static_cast<PackedState>(at - values.begin()) << (kBitsPerPosition * i);
    }
    return true;
  }

  void unpack(PackedState packed, int32_t* state) const {
    for (std::size_t i = 0; i < kStateSize; ++i) {
      state[i] = values[static_cast<std::size_t>((packed >> (kBitsPerPosition * i)) & kPositionMask)];
    }
  }

  void build(const int32_t* target) {
    values.assign(target, target + kStateSize);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    std::fill(keys.begin(), keys.end(), kEmptySlot);
    found.clear();
    found.reserve(static_cast<std::size_t>(kTotalStates));
    firstAtDistance.assign(1, 0);
    PackedState start = 0;
    pack(target, start);
    reach(start, 0);
    const auto inverses = inverseSources();
    for (std::size_t next = 0; next < found.size(); ++next) {
      const uint8_t distance = distances[find(found[next])];
      if (static_cast<std::size_t>(distance) == firstAtDistance.size()) {
        firstAtDistance.push_back(static_cast<int32_t>(next));
      }
      for (const Positions& sources : inverses) reach(rearranged(found[next], sources), static_cast<uint8_t>(distance + 1));
    }
    firstAtDistance.push_back(static_cast<int32_t>(found.size()));
  }
};

DistanceTable table;

}  // namespace

extern "C" {

// Makes the table of the twelve values at `target`; returns the largest distance in it.
int32_t boardDistancesTo(const int32_t* target) {
  table.build(target);
  return static_cast<int32_t>(table.firstAtDistance.size()) - 2;
}

// The number of moves from the twelve values at `state` to the target, or -1 when the moves
// cannot bring them there.
int32_t boardDistanceOf(const int32_t* state) {
  PackedState packed = 0;
  if (!table.pack(state, packed)) return -1;
  const std::size_t slot = table.find(packed);
  return table.keys[slot] == kEmptySlot ? -1 : table.distances[slot];
}

// How many states lie `distance` moves from the target.
int32_t boardStatesAtDistance(int32_t distance) {
  const auto& first = table.firstAtDistance;
  if (distance < 0 || static_cast<std::size_t>(distance) + 1 >= first.size()) return 0;
  return first[static_cast<std::size_t>(distance) + 1] - first[static_cast<std::size_t>(distance)];
}

// Copies the state number `index` (from 0) of those `distance` moves from the target to `values`.
void boardStateAtDistance(int32_t distance, int32_t index, int32_t* values) {
  const auto position = table.firstAtDistance[static_cast<std::size_t>(distance)] + index;
  table.unpack(table.found[static_cast<std::size_t>(position)], values);
}

// The bytes the table holds, for anyone who measures it.
int32_t boardDistanceBytes() {
  const std::size_t bytes = table.keys.capacity() * sizeof(PackedState) + table.distances.capacity() +
                            table.found.capacity() * sizeof(PackedState) +
                            table.firstAtDistance.capacity() * sizeof(int32_t);
  return static_cast<int32_t>(bytes);
}

}  // extern "C"
