// Runs the built program as a child process with pipes on all three standard streams.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
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

// A running child process, driven one write at a time as a script driving it through pipes
// would, or fed a whole input at once.
class ChildSession {
 public:
  // The command's first word is the path to run; by default the program itself.
  explicit ChildSession(const std::vector<std::string>& command = {MATHIEU12_BINARY});
  ~ChildSession();
  ChildSession(const ChildSession&) = delete;
  ChildSession& operator=(const ChildSession&) = delete;

  // Writes `text` to the child's standard input, reading its output meanwhile.
  void send(std::string_view text);
  // Reads standard output until all of it so far ends with `suffix`; false on timeout or end.
  bool waitForOutputEnding(const std::string& suffix,
                           std::chrono::milliseconds limit = std::chrono::seconds(10));
  // Closes the reading end of the child's standard output, as a reader that goes away does.
  void closeOutput();
  // Writes `input`, closes standard input, reads everything the child still writes and waits
  // for it to end; the child is killed after `limit`.
  RunResult finish(std::string_view input = {},
                   std::chrono::milliseconds limit = std::chrono::seconds(10));

 private:
  using Clock = std::chrono::steady_clock;
  // One poll: writes some of `pending` and reads what is ready; false on timeout or when
  // there is nothing left to wait for.
  bool step(std::string_view& pending, Clock::time_point deadline);

  pid_t pid_ = -1;
  int in_ = -1;
  int out_fd_ = -1;
  int err_fd_ = -1;
  std::string out_;
  std::string err_;
};

// Starts the command, writes `input`, closes it and collects everything it writes until it ends.
RunResult runCommand(const std::vector<std::string>& command, const std::string& input,
                     std::chrono::milliseconds limit = std::chrono::seconds(30));

// The same for the program itself.
RunResult runProgram(const std::string& input,
                     std::chrono::milliseconds limit = std::chrono::seconds(30));

// A folder of one test's own, made fresh under GoogleTest's temporary folder and removed with
// everything in it when the test is done, so that runs of the suite side by side never share a
// file.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The path of `name` inside the folder.
  std::string path(const std::string& name) const { return folder_ + "/" + name; }

 private:
  std::string folder_;
};

// The whole contents of a file, such as a golden transcript or what the program wrote.
std::string readFile(const std::string& path);
