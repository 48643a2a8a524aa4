// End-to-end tests through the built program: long move tokens and sessions driven through pipes.
#include <gtest/gtest.h>

#include <string>

#include "puzzle/state.h"
#include "tests/expected.h"
#include "tests/process.h"

namespace {

std::string simulateOneToken(const std::string& token) {
  return kMenu + simulationWithOneToken(applyLetters(defaultState(), token));
}

TEST(LongToken, IsAppliedWholeAcrossTheMoveBuffer) {
  // Lengths around the 1023 characters one piece holds, with letters that differ per position
  // so that a lost, repeated or reordered byte changes the result.
  for (const std::size_t length : {1022u, 1023u, 1024u, 1025u, 2047u, 2048u, 5000u}) {
    std::string token;
    for (std::size_t i = 0; i < length; ++i) {
      token.push_back("LRxLLrl"[i % 7]);
    }
    const RunResult result = runProgram("2\n-1\n" + token + "\n");
    EXPECT_EQ(result.out, simulateOneToken(token)) << length;
  }
}

TEST(LongToken, OneMegabyteOfMovesWorks) {
  std::string token;
  for (std::size_t i = 0; i < (1u << 20); ++i) {
    token.push_back(i % 3 == 0 ? 'R' : 'L');
  }
  const RunResult result = runProgram("2\n-1\n" + token);
  EXPECT_EQ(result.out, simulateOneToken(token));
  EXPECT_EQ(result.exitStatus, 0);
}

TEST(LongToken, OnlyTheExactTokenMinusOneStartsANewSimulation) {
  const std::string token = "-1" + std::string(1500, 'L');
  const RunResult result = runProgram("2\n-1\n" + token + "\n");
  EXPECT_EQ(result.out, simulateOneToken(token));
}

TEST(PipeSession, EveryPromptIsVisibleBeforeTheProgramWaits) {
  ChildSession session;
  ASSERT_TRUE(session.waitForOutputEnding("------------------------------\n"));
  session.send("2\n");
  ASSERT_TRUE(session.waitForOutputEnding("-------------------------------------------\n"));
  session.send("-1\n");
  ASSERT_TRUE(session.waitForOutputEnding(stateLine(defaultState()) + "Move(s): "));
  session.send("L\n");
  ASSERT_TRUE(session.waitForOutputEnding(stateLine(applyMoveL(defaultState())) + "Move(s): "));
  session.send("-1\n");
  ASSERT_TRUE(session.waitForOutputEnding("-------------------------------------------\n"));
  session.send("1 2 3 4 5 6\n");
  session.send("7 8 9 10 11 12\n");
  ASSERT_TRUE(session.waitForOutputEnding(stateLine(defaultState()) + "Move(s): "));
  const RunResult result = session.finish();
  EXPECT_TRUE(result.out.ends_with("Move(s): \n"));
  EXPECT_EQ(result.exitStatus, 0);
}

TEST(PipeSession, SolverDialogueShowsEachHeadingBeforeReading) {
  ChildSession session;
  ASSERT_TRUE(session.waitForOutputEnding("------------------------------\n"));
  session.send("1\n");
  ASSERT_TRUE(session.waitForOutputEnding("------------------------\n"));
  session.send("1 2 3 4 5 6 7 8 9 10 11 12\n");
  ASSERT_TRUE(session.waitForOutputEnding("-------------------------------------------\n"));
  session.send("-1\n");
  const RunResult result = session.finish();
  EXPECT_TRUE(result.out.ends_with("Shortest solution: \n"));
  EXPECT_EQ(result.exitStatus, 0);
}

}  // namespace
