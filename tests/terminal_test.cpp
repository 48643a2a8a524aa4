// The program at a terminal: prompts seen before it waits, Ctrl+C, Ctrl+D and a hang-up.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/expected.h"
#include "tests/process.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program on the slave side of a pseudo-terminal; the test types on the master side. Given
// `errorFile`, the program's standard error goes there instead, and it outlives a hang-up.
class Terminal {
 public:
  explicit Terminal(const std::string& errorFile = "") {
    pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      std::signal(SIGINT, SIG_DFL);
      if (!errorFile.empty()) {
        std::signal(SIGHUP, SIG_IGN);
        dup2(open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
      }
      execl(MATHIEU12_BINARY, MATHIEU12_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  bool started() const { return pid_ > 0 && master_ >= 0; }

  void type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Reads the screen until it ends with `suffix` (the terminal writes line ends as "\r\n").
  bool waitForScreenEnding(const std::string& suffix) {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!screen_.ends_with(suffix)) {
      if (!readSome(deadline)) return false;
    }
    return true;
  }

  // Waits for the program to end, reading what it still writes; the raw wait status.
  int waitForExit() {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (readSome(deadline)) {
    }
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

  // What the program has read so far, in bytes (rchar in /proc/PID/io).
  long bytesRead() const {
    std::ifstream io("/proc/" + std::to_string(pid_) + "/io");
    std::string key;
    long value = 0;
    while (io >> key >> value) {
      if (key == "rchar:") return value;
    }
    return -1;
  }

  // The program's scheduling state: 'S' while it sleeps, as in a read that waits for input.
  char processState() const {
    const std::string stat = readFile("/proc/" + std::to_string(pid_) + "/stat");
    const std::size_t afterName = stat.rfind(')');
    return afterName != std::string::npos && afterName + 2 < stat.size() ? stat[afterName + 2]
                                                                         : '?';
  }

  // Waits until the program has read `bytes` in all and sleeps in its next read, or, with
  // `orEnded`, until it has ended (a zombie until it is waited for). A hang-up then fails that
  // read; one that came before the read began would read as the end of the input.
  bool waitForBlockedRead(long bytes, bool orEnded = false) const {
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (!(orEnded && processState() == 'Z') && (bytesRead() < bytes || processState() != 'S')) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  // Waits until the program has read `bytes` in all and sleeps in its next read, or has ended
  // (a zombie until it is waited for), and then reads all it wrote meanwhile: it writes out
  // everything before a read, so nothing more is on its way.
  bool waitUntilIdle(long bytes) {
    if (!waitForBlockedRead(bytes, true)) return false;
    while (readSome(Clock::now() + std::chrono::milliseconds(20))) {
    }
    return true;
  }

  // Closes the master side, as a terminal window that is closed does.
  void hangUp() {
    close(master_);
    master_ = -1;
  }

  const std::string& screen() const { return screen_; }

 private:
  bool readSome(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{master_, POLLIN, 0};
    if (master_ < 0 || left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) return false;
    char chunk[4096];
    const ssize_t got = read(master_, chunk, sizeof chunk);
    if (got <= 0) return false;  // the program has ended and closed the terminal
    screen_.append(chunk, static_cast<std::size_t>(got));
    return true;
  }

  pid_t pid_ = -1;
  int master_ = -1;
  std::string screen_;
};

constexpr const char* kMenuOnScreen =
    "1: Launch Mathieu-12 solver\r\n"
    "2: Launch Mathieu-12 simulator\r\n"
    "------------------------------\r\n";

// Waits for the program to end; its exit status, or -1 when a signal ended it.
int exitStatus(Terminal& terminal) {
  const int status = terminal.waitForExit();
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Waits until the menu is on the screen.
void reachMenu(Terminal& terminal) {
  ASSERT_TRUE(terminal.started());
  ASSERT_TRUE(terminal.waitForScreenEnding(kMenuOnScreen));
}

// Starts the simulator with the default state and waits at its first "Move(s): ".
void reachMovePrompt(Terminal& terminal) {
  reachMenu(terminal);
  terminal.type("2\n");
  ASSERT_TRUE(terminal.waitForScreenEnding("-------------------------------------------\r\n"));
  terminal.type("-1\n");
  ASSERT_TRUE(
      terminal.waitForScreenEnding("Current state: 1 2 3 4 5 6 7 8 9 10 11 12 \r\nMove(s): "));
}

TEST(Terminal, MenuAndMovePromptAreVisibleBeforeTheProgramWaits) {
  Terminal terminal;
  reachMovePrompt(terminal);
  terminal.type("L\n");
  EXPECT_TRUE(
      terminal.waitForScreenEnding("L\r\nCurrent state: 11 9 7 5 3 1 2 4 6 8 10 12 \r\nMove(s): "));
}

TEST(Terminal, CtrlCAtMovePromptEndsTheProgramBySigint) {
  Terminal terminal;
  reachMovePrompt(terminal);
  terminal.type("\x03");
  const int status = terminal.waitForExit();
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGINT);
}

TEST(Terminal, CtrlDAtMovePromptEndsTheProgramAfterALineEnd) {
  Terminal terminal;
  reachMovePrompt(terminal);
  terminal.type("\x04");
  EXPECT_EQ(exitStatus(terminal), 0);
  EXPECT_TRUE(terminal.screen().ends_with("Move(s): \r\n"));
}

TEST(Terminal, SolverEndOfInputMessageStandsOnItsOwnLine) {
  Terminal terminal;
  reachMenu(terminal);
  terminal.type("1\n");
  ASSERT_TRUE(terminal.waitForScreenEnding("------------------------\r\n"));
  terminal.type("1 2 3 4 5 6 7 8 9 10 11 12\n");
  ASSERT_TRUE(terminal.waitForScreenEnding("-------------------------------------------\r\n"));
  terminal.type("5 6\x04\x04");
  EXPECT_EQ(exitStatus(terminal), 1);
  EXPECT_TRUE(terminal.screen().ends_with(
      "5 6\r\nmathieu12: input ended before the final state was complete\r\n"))
      << terminal.screen();
}

// The README's sample sessions: each fenced block that starts with the menu, its line ends as a
// terminal writes them.
std::vector<std::string> readmeSessions() {
  std::istringstream readme(readFile(MATHIEU12_README));
  std::vector<std::string> sessions;
  std::string line;
  std::string block;
  bool inside = false;
  while (std::getline(readme, line)) {
    if (line.starts_with("```")) {
      if (inside && block.starts_with(kMenuOnScreen)) sessions.push_back(block);
      inside = !inside;
      block.clear();
    } else if (inside) {
      block += line + "\r\n";
    }
  }
  return sessions;
}

// Plays `session` at a terminal as its user did: whenever the program waits for input, the screen
// must be the session up to that point, and the rest of the session's line is what the user
// typed, so it is typed with Enter. In the end the screen is the whole session, byte for byte.
void expectSessionOnScreen(const std::string& session) {
  Terminal terminal;
  ASSERT_TRUE(terminal.started());
  long typed = 0;
  while (true) {
    ASSERT_TRUE(terminal.waitUntilIdle(typed)) << terminal.screen();
    const std::string& screen = terminal.screen();
    ASSERT_TRUE(session.starts_with(screen)) << "screen:\n" << screen << "\nsession:\n" << session;
    if (screen.size() == session.size()) return;
    const std::size_t lineEnd = session.find("\r\n", screen.size());
    ASSERT_NE(lineEnd, std::string::npos);
    const std::string keys = session.substr(screen.size(), lineEnd - screen.size()) + "\n";
    typed = terminal.bytesRead() + static_cast<long>(keys.size());
    terminal.type(keys);
  }
}

TEST(Readme, SampleSessionsAreWhatATerminalShows) {
  const std::vector<std::string> sessions = readmeSessions();
  ASSERT_EQ(sessions.size(), 2u) << "a solver session and a simulator session";
  for (const std::string& session : sessions) {
    expectSessionOnScreen(session);
  }
}

// Types `partial` (text without a line end, handed over by Ctrl+D), if any, at the menu or at
// "Move(s): ",
// waits until the program has read it and waits for more, and hangs up: a read error, which ends
// the program with status 1 and one line, whatever the text it cut short (a number, text that is
// not a number, a token longer than the move buffer, a state in the solver dialogue) would have
// become.
void expectHangUpReported(bool atMovePrompt, const std::string& partial) {
  const ScratchFolder folder;
  const std::string errorFile = folder.path("terminal_hang_up.err");
  Terminal terminal(errorFile);
  if (atMovePrompt) {
    reachMovePrompt(terminal);
  } else {
    reachMenu(terminal);
  }
  const long before = terminal.bytesRead();
  if (!partial.empty()) {
    terminal.type(partial + "\x04");  // with nothing before it, Ctrl+D would end the input
  }
  ASSERT_TRUE(terminal.waitForBlockedRead(before + static_cast<long>(partial.size()))) << partial;
  terminal.hangUp();
  EXPECT_EQ(exitStatus(terminal), 1) << partial;
  EXPECT_EQ(readFile(errorFile), streamFailureLine("read standard input", EIO)) << partial;
}

TEST(Terminal, HangUpIsAReadErrorNotTheEndOfInput) {
  expectHangUpReported(true, "");
  expectHangUpReported(false, "12");
  expectHangUpReported(false, "abc");
  expectHangUpReported(false, "1\n1 2 3");
  expectHangUpReported(true, std::string(1500, 'L'));
}

}  // namespace
