// Child processes for the end-to-end tests: fork, exec, and poll over the three pipes.
#include "tests/process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace {

int remainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Appends what is ready on `fd` to `sink`; closes and clears `fd` at end of stream.
void drain(int& fd, std::string& sink) {
  char chunk[65536];
  const ssize_t got = read(fd, chunk, sizeof chunk);
  if (got > 0) {
    sink.append(chunk, static_cast<std::size_t>(got));
  } else {
    close(fd);
    fd = -1;
  }
}

void closeFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

[[noreturn]] void execChild(const std::vector<std::string>& command, int in[2], int out[2],
                            int err[2]) {
  std::signal(SIGPIPE, SIG_DFL);
  setpgid(0, 0);  // a group of its own, so that a shell's children end with it
  dup2(in[0], STDIN_FILENO);
  dup2(out[1], STDOUT_FILENO);
  dup2(err[1], STDERR_FILENO);
  for (const int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
  std::vector<char*> argv;
  argv.reserve(command.size() + 1);
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

ChildSession::ChildSession(const std::vector<std::string>& command) {
  int in[2];
  int out[2];
  int err[2];
  if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) execChild(command, in, out, err);
  setpgid(pid_, pid_);  // as the child does, whichever runs first
  close(in[0]);
  close(out[1]);
  close(err[1]);
  in_ = in[1];
  out_fd_ = out[0];
  err_fd_ = err[0];
  fcntl(in_, F_SETFL, O_NONBLOCK);
  std::signal(SIGPIPE, SIG_IGN);  // a child that stops reading must not end the test
}

ChildSession::~ChildSession() {
  for (int* fd : {&in_, &out_fd_, &err_fd_}) closeFd(*fd);
  if (pid_ > 0) {
    kill(-pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

bool ChildSession::step(std::string_view& pending, Clock::time_point deadline) {
  std::vector<pollfd> fds;
  if (in_ >= 0 && !pending.empty()) fds.push_back({in_, POLLOUT, 0});
  if (out_fd_ >= 0) fds.push_back({out_fd_, POLLIN, 0});
  if (err_fd_ >= 0) fds.push_back({err_fd_, POLLIN, 0});
  if (fds.empty() || poll(fds.data(), fds.size(), remainingMs(deadline)) <= 0) return false;
  for (const pollfd& ready : fds) {
    if (ready.revents == 0) continue;
    if (ready.fd == in_) {
      const ssize_t put = write(in_, pending.data(), pending.size());
      if (put >= 0 || errno != EAGAIN) {  // a failed write means the child stopped reading
        pending.remove_prefix(put > 0 ? static_cast<std::size_t>(put) : pending.size());
      }
    } else if (ready.fd == out_fd_) {
      drain(out_fd_, out_);
    } else {
      drain(err_fd_, err_);
    }
  }
  return true;
}

void ChildSession::send(std::string_view text) {
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  while (!text.empty()) {
    if (!step(text, deadline)) throw std::runtime_error("write to child failed");
  }
}

bool ChildSession::waitForOutputEnding(const std::string& suffix, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  std::string_view nothing;
  while (!out_.ends_with(suffix)) {
    if (out_fd_ < 0 || !step(nothing, deadline)) return false;
  }
  return true;
}

void ChildSession::closeOutput() { closeFd(out_fd_); }

RunResult ChildSession::finish(std::string_view input, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  RunResult result;
  while (out_fd_ >= 0 || err_fd_ >= 0) {
    if (input.empty()) closeFd(in_);
    if (!step(input, deadline)) {
      result.timedOut = true;
      kill(-pid_, SIGKILL);  // the whole group: a shell pipeline's children too
      break;
    }
  }
  closeFd(in_);
  int status = 0;
  rusage usage{};
  wait4(pid_, &status, 0, &usage);
  pid_ = -1;
  result.maxRssKib = usage.ru_maxrss;
  if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.out = out_;
  result.err = err_;
  return result;
}

RunResult runCommand(const std::vector<std::string>& command, const std::string& input,
                     std::chrono::milliseconds limit) {
  ChildSession child(command);
  return child.finish(input, limit);
}

RunResult runProgram(const std::string& input, std::chrono::milliseconds limit) {
  return runCommand({MATHIEU12_BINARY}, input, limit);
}

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

ScratchFolder::ScratchFolder() {
  std::string pattern = ::testing::TempDir() + "mathieu12-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("mkdtemp failed: " + std::string(std::strerror(errno)));
  }
  folder_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}
