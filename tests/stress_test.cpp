// Inputs far beyond what a person types, and standard streams that fail: huge tokens and numbers,
// many simulations, lost output, unreadable input.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>
#include <vector>

#include "puzzle/state.h"
#include "tests/expected.h"
#include "tests/process.h"

namespace {

// The state after `pattern` repeated `times` times, through the pattern's own cycle.
PuzzleState applyRepeated(const PuzzleState& start, const std::string& pattern, std::size_t times) {
  std::size_t order = 1;
  for (PuzzleState state = applyLetters(start, pattern); state != start;
       state = applyLetters(state, pattern)) {
    ++order;
  }
  PuzzleState state = start;
  for (std::size_t i = 0; i < times % order; ++i) {
    state = applyLetters(state, pattern);
  }
  return state;
}

TEST(Stress, HundredMegabyteTokenIsAppliedWithBoundedMemory) {
  // The input goes through a file, written piece by piece, so that the test process stays small:
  // a child's peak memory counts what it shared with its parent before it started the program.
  const std::string pattern = "LLrRxl";
  constexpr std::size_t kRepeats = 100u * 1024 * 1024 / 6;
  const ScratchFolder folder;
  const std::string path = folder.path("hundred_megabyte_token.in");
  {
    std::ofstream file(path, std::ios::binary);
    file << "2\n-1\n";
    std::string block;
    for (int i = 0; i < 1024; ++i) block += pattern;
    for (std::size_t i = 0; i < kRepeats / 1024; ++i) file << block;
    for (std::size_t i = 0; i < kRepeats % 1024; ++i) file << pattern;
    file << "\n";
  }
  const std::string command = std::string("exec ") + MATHIEU12_BINARY + " < " + path;
  const RunResult result = runCommand({"/bin/sh", "-c", command}, "", std::chrono::seconds(120));
  ASSERT_FALSE(result.timedOut);
  EXPECT_EQ(result.out,
            kMenu + simulationWithOneToken(applyRepeated(defaultState(), pattern, kRepeats)));
  EXPECT_EQ(result.exitStatus, 0);
#ifndef MATHIEU12_SANITIZED  // the sanitizers' shadow memory is not the program's own
  EXPECT_LT(result.maxRssKib, 32 * 1024);
#endif
  std::printf("peak memory of the 100 MB token run: %ld KiB\n", result.maxRssKib);
}

TEST(Stress, TenThousandSimulationsInOneInput) {
  // Each pass: the state -1, the token r, then -1 to restart; the input ends at the last heading.
  constexpr int kSimulations = 10000;
  std::string input = "2\n";
  std::string expected = kMenu;
  for (int i = 0; i < kSimulations; ++i) {
    input += "-1 r -1\n";
    expected += simulationWithOneToken(applyMoveR(defaultState()));
  }
  expected += std::string(kSimulatorStateHeading) + "\n";
  const RunResult result = runProgram(input, std::chrono::seconds(120));
  EXPECT_EQ(result.out, expected);
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(result.err, "");
}

TEST(Stress, NumbersOfFourThousandDigitsAreEachReportedOutOfRange) {
  const std::string huge = std::string(1, '7') + std::string(3999, '0');
  std::string numbers;
  for (int i = 0; i < 12; ++i) {
    numbers += (i % 2 ? "-" : "") + huge + " ";
  }
  const RunResult simulator = runProgram("2\n" + numbers);
  EXPECT_EQ(simulator.out, std::string(kMenu) + kSimulatorStateHeading + "\n");
  EXPECT_EQ(std::count(simulator.err.begin(), simulator.err.end(), '\n'), 12);
  EXPECT_EQ(simulator.exitStatus, 0);
  const std::string quoted =
      "mathieu12: ignored \"7" + std::string(39, '0') + "...\": out of range\n";
  EXPECT_TRUE(simulator.err.starts_with(quoted)) << simulator.err.substr(0, 200);

  const RunResult solver = runProgram("1\n" + numbers);
  EXPECT_EQ(std::count(solver.err.begin(), solver.err.end(), '\n'), 13);
  EXPECT_TRUE(solver.err.ends_with("input ended before the initial state was complete\n"));
  EXPECT_EQ(solver.exitStatus, 1);
}

// The shell command that runs the program in the failure tests: the built program, or what
// MATHIEU12_PROGRAM_COMMAND names instead (the browser edition's node program, `node PATH`).
std::string programCommand() {
  const char* other = std::getenv("MATHIEU12_PROGRAM_COMMAND");
  return other != nullptr ? other : MATHIEU12_BINARY;
}

// Runs `mathieu12` behind an endless supply of moves with its output cut after ten bytes; the
// program's exit status follows its standard error.
RunResult runWithOutputCut(const std::string& shellPrelude) {
  const std::string pipeline = shellPrelude + "(printf '2\\n-1\\n'; yes L 2>/dev/null) | { " +
                               programCommand() + "; echo \"status $?\" >&2; } | head -c 10";
  return runCommand({"/bin/sh", "-c", pipeline}, "", std::chrono::seconds(20));
}

TEST(LostOutput, EndsTheProgramPromptlyBySigpipe) {
  const RunResult byDefault = runWithOutputCut("");
  EXPECT_FALSE(byDefault.timedOut);
  EXPECT_EQ(byDefault.out, "1: Launch ");
  EXPECT_EQ(byDefault.err, "status " + std::to_string(128 + SIGPIPE) + "\n");
}

TEST(LostOutput, EndsTheProgramPromptlyWithSigpipeIgnored) {
  // With SIGPIPE ignored, the failed write itself ends the program, and is reported as such.
  const RunResult ignoring = runWithOutputCut("trap '' PIPE; ");
  EXPECT_FALSE(ignoring.timedOut);
  EXPECT_EQ(ignoring.out, "1: Launch ");
  EXPECT_EQ(ignoring.err, streamFailureLine("write standard output", EPIPE) + "status 1\n");
}

TEST(LostOutput, ReaderGoneAtAPromptIsReportedWithSigpipeIgnored) {
  // The reader leaves while the program waits at a prompt; the next prompt's write then fails.
  const std::string numbers = "1 2 3 4 5 6 7 8 9 10 11 12\n";
  const std::vector<std::array<std::string, 3>> cases = {
      {"2\n-1\n", "Move(s): ", "L\n"},
      {"1\n", std::string(24, '-') + "\n", numbers},
  };
  for (const auto& [start, prompt, next] : cases) {
    ChildSession session({"/bin/sh", "-c", "trap '' PIPE; exec " + programCommand()});
    session.send(start);
    ASSERT_TRUE(session.waitForOutputEnding(prompt)) << start;
    session.closeOutput();
    const RunResult result = session.finish(next);
    EXPECT_EQ(result.err, streamFailureLine("write standard output", EPIPE)) << start;
    EXPECT_EQ(result.exitStatus, 1) << start;
  }
}

// The program with its standard streams redirected by the shell, fed `input` otherwise.
RunResult runRedirected(const std::string& redirection, const std::string& input) {
  const std::string command = "exec " + programCommand() + " " + redirection;
  return runCommand({"/bin/sh", "-c", command}, input);
}

// Standard input that cannot be read: the menu, one line on standard error, status 1.
void expectUnreadableInput(const char* redirection, int error) {
  const std::string menu(kMenu, std::strlen(kMenu) - 1);  // without the line end after a choice
  const RunResult result = runRedirected(redirection, "");
  EXPECT_EQ(result.out, menu);
  EXPECT_EQ(result.err, streamFailureLine("read standard input", error));
  EXPECT_EQ(result.exitStatus, 1);
}

TEST(FailedStream, InputFromADirectoryIsReportedWithStatusOne) {
  expectUnreadableInput("< /", EISDIR);
}

TEST(FailedStream, ClosedInputIsReportedWithStatusOne) { expectUnreadableInput("<&-", EBADF); }

// Standard output that cannot be written, in the solver and in the simulator.
void expectUnwritableOutput(const char* redirection, int error) {
  for (const char* input : {"1\n1 2 3 4 5 6 7 8 9 10 11 12\n-1\n", "2\n-1 L\n"}) {
    const RunResult result = runRedirected(redirection, input);
    EXPECT_EQ(result.err, streamFailureLine("write standard output", error)) << input;
    EXPECT_EQ(result.exitStatus, 1) << input;
  }
}

TEST(FailedStream, FullOutputIsReportedInEveryMode) {
  expectUnwritableOutput("> /dev/full", ENOSPC);
}

TEST(FailedStream, ClosedOutputIsReportedInEveryMode) { expectUnwritableOutput(">&-", EBADF); }

// The program with standard output to a file where exactly `room` more bytes fit: the write
// that crosses the limit fails with EFBIG (SIGXFSZ is ignored), at an exact byte, whenever the
// program makes it. The limit on file size applies to every file the program writes, so the output
// starts at a padded offset just below a limit of 1 MiB, which other files (the coverage
// counters) stay far below. `written` receives what the program wrote.
RunResult runWithOutputRoom(const std::string& input, std::size_t room, std::string& written) {
  constexpr std::size_t kFileSizeLimit = 1 << 20;
  const std::size_t padding = kFileSizeLimit - room;
  const ScratchFolder folder;
  const std::string path = folder.path("limited_output");
  const std::string command = "{ head -c " + std::to_string(padding) +
                              " /dev/zero; trap '' XFSZ; " +
                              "exec prlimit --fsize=" + std::to_string(kFileSizeLimit) + " " +
                              programCommand() + "; } > " + path;
  RunResult result = runCommand({"/bin/sh", "-c", command}, input);
  written = readFile(path).substr(padding);
  return result;
}

TEST(FailedStream, OutputLostAfterTheLastReadFailsTheRun) {
  // The limit lets through all that was flushed before the last read. What follows (the run
  // report, the simulator's last line end) reaches standard output only at the final flush.
  const std::string solverInput = "1\n1 2 3 4 5 6 7 8 9 10 11 12\n-1\n";
  const std::string solverOutput = runProgram(solverInput).out;
  const std::string beforeReport = solverOutput.substr(0, solverOutput.find("\nRun report"));
  const std::string beforeLineEnd = std::string(kMenu) + kSimulatorStateHeading +
                                    kMoveInstructions + stateLine(defaultState()) + "Move(s): ";
  for (const auto& [input, flushed] :
       {std::pair{solverInput, beforeReport}, {std::string("2\n-1\n"), beforeLineEnd}}) {
    std::string written;
    const RunResult result = runWithOutputRoom(input, flushed.size(), written);
    EXPECT_EQ(written, flushed) << input;
    EXPECT_EQ(result.err, streamFailureLine("write standard output", EFBIG)) << input;
    EXPECT_EQ(result.exitStatus, 1) << input;
  }
}

}  // namespace
