// The breadth-first search: a fixed queue of whole states and a balanced tree of visited ranks.
#include "solver/search.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <version>

#if defined(__cpp_lib_memory_resource)
#include <memory_resource>
#endif

#include "puzzle/rank.h"

PuzzleState initialState;
PuzzleState finalState;
std::array<SearchRecord, kTotalStates> searchQueue;
int32_t queueHead = 0;
int32_t queueTail = 1;

namespace {

#if defined(__cpp_lib_memory_resource)
using RankSet = std::pmr::set<int64_t>;

// Room per visited rank in the arena: a tree node (three links, a colour and the rank) with slack.
constexpr std::size_t kBytesPerRank = 48;
#else
// A standard library without memory resources (libc++ before 16) gets the same tree on the
// default allocator: the same search and the same output, only slower.
using RankSet = std::set<int64_t>;
#endif

// Queues `successor` if its rank is new; the rank is looked up and inserted in one step.
void queueIfNew(const PuzzleState& successor, int64_t rank, MoveFlag move, RankSet& visitedRanks) {
  if (!visitedRanks.insert(rank).second) {
    return;
  }
  SearchRecord& record = searchQueue[static_cast<std::size_t>(queueTail)];
  record.state = successor;
  record.parent = queueHead;
  record.move = move;
  ++queueTail;
}

// Slot 0 holds the initial state, with no parent.
void placeRoot() {
  SearchRecord& root = searchQueue[0];
  root.state = initialState;
  root.parent = -1;
  root.move = kMoveL;
}

}  // namespace

bool searchStates() {
  fillFactorials();
  placeRoot();
#if defined(__cpp_lib_memory_resource)
  // The tree's nodes come from one arena sized for the most ranks a search can hold: inserting
  // costs no trip to the general allocator, and the whole set is released at once at the end.
  std::pmr::monotonic_buffer_resource arena(static_cast<std::size_t>(kTotalStates) * kBytesPerRank);
  RankSet visitedRanks(&arena);
#else
  RankSet visitedRanks;
#endif
  visitedRanks.insert(stateRank(initialState));
  // The states after L and after R are built into the same two states on every expansion.
  PuzzleState afterL;
  PuzzleState afterR;
  while (queueHead < queueTail) {
    // The slots never move, so the expanded state is read in place rather than copied out.
    const PuzzleState& expanded = searchQueue[static_cast<std::size_t>(queueHead)].state;
    if (expanded == finalState) {
      return true;
    }
    // Both successors and their ranks are computed before the tree is walked, so that this work
    // does not queue up behind the walks' memory loads; L is still looked up and queued first.
    applyMoveInto(expanded, kMoveL, afterL);
    applyMoveInto(expanded, kMoveR, afterR);
    const int64_t rankL = stateRank(afterL);
    const int64_t rankR = stateRank(afterR);
    queueIfNew(afterL, rankL, kMoveL, visitedRanks);
    queueIfNew(afterR, rankR, kMoveR, visitedRanks);
    ++queueHead;
  }
  return false;
}
