// The breadth-first search: a fixed queue of whole states and a balanced tree of visited ranks.
#include "solver/search.h"

#include <memory_resource>
#include <set>

#include "puzzle/rank.h"

PuzzleState initialState;
PuzzleState finalState;
std::array<SearchRecord, kTotalStates> searchQueue;
int32_t queueHead = 0;
int32_t queueTail = 1;

namespace {

using RankSet = std::pmr::set<int64_t>;

// Room per visited rank in the arena: a tree node (three links, a colour and the rank) with slack.
constexpr std::size_t kBytesPerRank = 48;

// Applies `move` to the expanded state and queues the result if its rank is new. The rank is
// looked up and inserted in one step.
void queueSuccessor(const PuzzleState& expanded, MoveFlag move, PuzzleState& successor,
                    RankSet& visitedRanks) {
  applyMoveInto(expanded, move, successor);
  if (!visitedRanks.insert(stateRank(successor)).second) {
    return;
  }
  SearchRecord& record = searchQueue[static_cast<std::size_t>(queueTail)];
  record.state = successor;
  record.parent = queueHead;
  record.move = move;
  ++queueTail;
}

}  // namespace

bool searchStates() {
  fillFactorials();
  SearchRecord& root = searchQueue[0];
  root.state = initialState;
  root.parent = -1;
  root.move = kMoveL;
  // The tree's nodes come from one arena sized for the most ranks a search can hold: inserting
  // costs no trip to the general allocator, and the whole set is released at once at the end.
  std::pmr::monotonic_buffer_resource arena(static_cast<std::size_t>(kTotalStates) * kBytesPerRank);
  RankSet visitedRanks(&arena);
  visitedRanks.insert(stateRank(initialState));
  PuzzleState successor;
  while (queueHead < queueTail) {
    // The slots never move, so the expanded state is read in place rather than copied out.
    const PuzzleState& expanded = searchQueue[static_cast<std::size_t>(queueHead)].state;
    if (expanded == finalState) {
      return true;
    }
    queueSuccessor(expanded, kMoveL, successor, visitedRanks);
    queueSuccessor(expanded, kMoveR, successor, visitedRanks);
    ++queueHead;
  }
  return false;
}
