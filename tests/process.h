// Runs the built program as a child process with pipes on all three standard streams.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// What a finished run wrote and how it ended.
struct RunResult {
  std::string out;
  std::string err;
  int exitStatus = -1;  // -1 when ended by a signal
  int signal = 0;       // the signal that ended it, or 0
  bool timedOut = false;
  long maxRssKib = 0;  // the child's peak resident memory
};

// Starts the program, writes `input` to its standard input, closes it and collects everything
// the program writes until it ends. The program is killed after `limit`.
RunResult runProgram(const std::string& input,
                     std::chrono::milliseconds limit = std::chrono::seconds(30));

// The same for any command, its first word a path to run.
RunResult runCommand(const std::vector<std::string>& command, const std::string& input,
                     std::chrono::milliseconds limit = std::chrono::seconds(30));

// A running program driven one write at a time, as a script driving it through pipes would.
class ChildSession {
 public:
  ChildSession();
  ~ChildSession();
  ChildSession(const ChildSession&) = delete;
  ChildSession& operator=(const ChildSession&) = delete;

  void send(const std::string& text);
  // Reads standard output until all of it so far ends with `suffix`; false on timeout or end.
  bool waitForOutputEnding(const std::string& suffix,
                           std::chrono::milliseconds limit = std::chrono::seconds(10));
  void closeInput();
  // Closes the input, reads the rest of the output and waits for the child to end.
  RunResult finish(std::chrono::milliseconds limit = std::chrono::seconds(10));
  const std::string& output() const { return out_; }

 private:
  bool readSome(std::chrono::milliseconds limit);
  pid_t pid_ = -1;
  int in_ = -1;
  int out_fd_ = -1;
  int err_fd_ = -1;
  std::string out_;
  std::string err_;
};
