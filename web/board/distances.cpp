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
// Room for every state of the orbit (95040 at most) at a load under 40%: probes stay short.
constexpr std::size_t kSlotBits = 18;
constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
constexpr PackedState kEmptySlot = ~PackedState{0};  // no state: labels are at most 11
constexpr unsigned kDistanceShift = kBitsPerPosition * kStateSize;
constexpr PackedState kStateBits = (PackedState{1} << kDistanceShift) - 1;

// A rearrangement of the packed positions, as tables: for each byte of a packed state (two
// positions), the bits that its two labels make at their new positions, so that rearranging a
// state costs six look-ups.
constexpr std::size_t kBytes = kStateSize / 2;
constexpr std::size_t kByteValues = 256;
using Rearrangement = std::array<std::array<PackedState, kByteValues>, kBytes>;

// For each move, the rearrangement that its inverse makes: read from the puzzle's own move
// applied to the positions' numbers, then turned around.
std::array<Rearrangement, 2> inverseMoves() {
  PuzzleState positions(kStateSize);
  for (std::size_t i = 0; i < kStateSize; ++i) positions[i] = static_cast<int32_t>(i);
  std::array<Rearrangement, 2> inverses{};
  for (const MoveFlag move : {kMoveL, kMoveR}) {
    PuzzleState moved;
    applyMoveInto(positions, move, moved);
    // The move brings the value of position moved[i] to position i; its inverse takes it back.
    std::array<std::size_t, kStateSize> destination{};
    for (std::size_t i = 0; i < kStateSize; ++i)
      destination[i] = static_cast<std::size_t>(moved[i]);
    for (std::size_t byte = 0; byte < kBytes; ++byte) {
      for (std::size_t value = 0; value < kByteValues; ++value) {
        const PackedState low = value & kPositionMask;
        const PackedState high = value >> kBitsPerPosition;
        inverses[move][byte][value] = (low << (kBitsPerPosition * destination[2 * byte])) |
                                      (high << (kBitsPerPosition * destination[2 * byte + 1]));
      }
    }
  }
  return inverses;
}

PackedState rearranged(PackedState packed, const Rearrangement& rearrangement) {
  PackedState result = 0;
  for (std::size_t byte = 0; byte < kBytes; ++byte) {
    result |= rearrangement[byte][(packed >> (8 * byte)) & 0xFF];
  }
  return result;
}

// The table of one target: its distinct values in rising order, an open-addressed set of packed
// states, each with its distance in the bits above it (one look-up finds both), and the states in
// the order found, nearest first.
struct DistanceTable {
  std::vector<int32_t> values;
  std::vector<PackedState> slots;
  std::vector<PackedState> found;
  // The index in `found` of each distance's first state, then the end of `found`.
  std::vector<int32_t> firstAtDistance;

  static std::size_t slotOf(PackedState packed) {
    return static_cast<std::size_t>((packed * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits));
  }

  // The slot that holds `packed`, or the empty slot where it would go.
  std::size_t find(PackedState packed) const {
    std::size_t slot = slotOf(packed);
    while (slots[slot] != kEmptySlot && (slots[slot] & kStateBits) != packed)
      slot = (slot + 1) & (kSlots - 1);
    return slot;
  }

  // Records `packed` at `distance` unless it is already known.
  void reach(PackedState packed, PackedState distance) {
    const std::size_t slot = find(packed);
    if (slots[slot] != kEmptySlot) return;
    slots[slot] = packed | (distance << kDistanceShift);
    found.push_back(packed);
  }

  // The distance of `packed`, or -1 when the search did not reach it.
  int32_t distanceOf(PackedState packed) const {
    const PackedState slot = slots[find(packed)];
    return slot == kEmptySlot ? -1 : static_cast<int32_t>(slot >> kDistanceShift);
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
      state[i] =
          values[static_cast<std::size_t>((packed >> (kBitsPerPosition * i)) & kPositionMask)];
    }
  }

  // The breadth-first search from `target`: the states are expanded in the order found, so each
  // distance's states follow the previous distance's, and a distance ends where the states found
  // before its first expansion end.
  void build(const int32_t* target) {
    values.assign(target, target + kStateSize);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    slots.assign(kSlots, kEmptySlot);
    found.clear();
    found.reserve(static_cast<std::size_t>(kTotalStates));
    firstAtDistance.assign(1, 0);
    PackedState start = 0;
    pack(target, start);
    reach(start, 0);
    static const auto inverses = inverseMoves();
    PackedState distance = 0;
    std::size_t distanceEnd = 1;
    for (std::size_t next = 0; next < found.size(); ++next) {
      if (next == distanceEnd) {
        ++distance;
        distanceEnd = found.size();
        firstAtDistance.push_back(static_cast<int32_t>(next));
      }
      for (const Rearrangement& inverse : inverses)
        reach(rearranged(found[next], inverse), distance + 1);
    }
    firstAtDistance.push_back(static_cast<int32_t>(found.size()));
  }
};

DistanceTable table;

// The day's board: the days of each weekday step through that weekday's distance's states in
// the order of their values, read position by position, kStride states at a time, so that a
// weekday's board comes back only after as many weeks as its distance has states (136 at 21
// moves: more than two years). kStride is a prime that divides none of those counts.
constexpr int32_t kFirstDayDistance = 15;  // Monday's; Sunday's is 21
constexpr int64_t kStride = 7919;
constexpr int64_t kThursday = 3;  // 1970-01-01, day 0, was a Thursday: days since a Monday

// `packed` with position 1 in its highest bits: these keys order states as their values do.
PackedState orderKey(PackedState packed) {
  PackedState key = 0;
  for (std::size_t i = 0; i < kStateSize; ++i)
    key = (key << kBitsPerPosition) | ((packed >> (kBitsPerPosition * i)) & kPositionMask);
  return key;
}

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
  return table.pack(state, packed) ? table.distanceOf(packed) : -1;
}

// How many states lie `distance` moves from the target.
int32_t boardStatesAtDistance(int32_t distance) {
  const auto& first = table.firstAtDistance;
  if (distance < 0 || static_cast<std::size_t>(distance) + 1 >= first.size()) return 0;
  return first[static_cast<std::size_t>(distance) + 1] - first[static_cast<std::size_t>(distance)];
}

// The board of day `day` (days since 1970-01-01) into `values`, from the table of the default
// target, which must be the one made last; returns its distance. The same day gives the same
// board in any build that keeps these moves: it depends on no search order and no hash.
int32_t boardOfDay(int32_t day, int32_t* values) {
  const int64_t sinceMonday = int64_t{day} + kThursday;
  const int64_t week = sinceMonday >= 0 ? sinceMonday / 7 : (sinceMonday - 6) / 7;
  const auto distance = static_cast<int32_t>(kFirstDayDistance + (sinceMonday - week * 7));
  const auto& first = table.firstAtDistance;
  std::vector<PackedState> keys(
      table.found.begin() + first[static_cast<std::size_t>(distance)],
      table.found.begin() + first[static_cast<std::size_t>(distance) + 1]);
  for (PackedState& key : keys) key = orderKey(key);
  std::sort(keys.begin(), keys.end());
  const auto count = static_cast<int64_t>(keys.size());
  const auto index = static_cast<std::size_t>(((week % count + count) % count) * kStride % count);
  table.unpack(orderKey(keys[index]), values);
  return distance;
}

// Copies the state number `index` (from 0) of those `distance` moves from the target to `values`.
void boardStateAtDistance(int32_t distance, int32_t index, int32_t* values) {
  const auto position = table.firstAtDistance[static_cast<std::size_t>(distance)] + index;
  table.unpack(table.found[static_cast<std::size_t>(position)], values);
}

// The bytes the table holds, for anyone who measures it.
int32_t boardDistanceBytes() {
  const std::size_t bytes =
      (table.slots.capacity() + table.found.capacity()) * sizeof(PackedState) +
      table.firstAtDistance.capacity() * sizeof(int32_t);
  return static_cast<int32_t>(bytes);
}

}  // extern "C"
