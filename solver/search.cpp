// The breadth-first search: a fixed queue of whole states and a balanced tree of visited ranks.
#include "solver/search.h"

#include <set>

#include "puzzle/rank.h"

PuzzleState initialState;
PuzzleState finalState;
std::array<SearchRecord, kTotalStates> searchQueue;
int32_t queueHead = 0;
int32_t queueTail = 1;

namespace {

using RankSet = std::set<int64_t>;

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
  RankSet visitedRanks;
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
