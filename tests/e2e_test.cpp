// End-to-end tests through the built program: long move tokens and sessions driven through pipes.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "puzzle/state.h"
#include "tests/expected.h"
#include "tests/process.h"

namespace {

std::string simulateOneToken(const std::string& token) {
  return kMenu + simulationWithOneToken(applyLetters(defaultState(), token));
}

// True while process `pid` runs: it exists and is not a zombie waiting to be reaped.
bool isRunning(const std::string& pid) {
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string field;
  for (int i = 0; i < 3 && stat >> field; ++i) {
  }
  return stat && field != "Z";
}

TEST(Harness, ATimedOutPipelineLeavesNoProcessBehind) {
  // The shell prints the pid of a child it waits for; the limit ends the run first.
  const RunResult result = runCommand({"/bin/sh", "-c", "sleep 300 & echo $!; wait"}, "",
                                      std::chrono::milliseconds(500));
  ASSERT_TRUE(result.timedOut);
  const std::string pid = result.out.substr(0, result.out.find('\n'));
  for (int tries = 0; tries < 100 && isRunning(pid); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(isRunning(pid)) << "the shell's child " << pid << " is still running";
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
