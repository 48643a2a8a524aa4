// Child processes for the end-to-end tests: fork, exec, and poll over the three pipes.
#include "tests/process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Pipes {
  int in[2];
  int out[2];
  int err[2];
};

pid_t startChild(Pipes& pipes, const std::vector<std::string>& command) {
  if (pipe(pipes.in) != 0 || pipe(pipes.out) != 0 || pipe(pipes.err) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t pid = fork();
  if (pid < 0) {
    throw std::runtime_error("fork failed");
  }
  if (pid == 0) {
    std::signal(SIGPIPE, SIG_DFL);
    dup2(pipes.in[0], STDIN_FILENO);
    dup2(pipes.out[1], STDOUT_FILENO);
    dup2(pipes.err[1], STDERR_FILENO);
    for (int fd :
         {pipes.in[0], pipes.in[1], pipes.out[0], pipes.out[1], pipes.err[0], pipes.err[1]}) {
      close(fd);
    }
    std::vector<char*> argv;
    for (const std::string& word : command) {
      argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(pipes.in[0]);
  close(pipes.out[1]);
  close(pipes.err[1]);
  signal(SIGPIPE, SIG_IGN);  // a child that stops reading must not end the test
  return pid;
}

int remainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
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

void collectStatus(pid_t pid, RunResult& result, bool kill_first) {
  if (kill_first) {
    kill(pid, SIGKILL);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  result.maxRssKib = usage.ru_maxrss;
  if (WIFEXITED(status)) {
    result.exitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
}

}  // namespace

RunResult runProgram(const std::string& input, std::chrono::milliseconds limit) {
  return runCommand({MATHIEU12_BINARY}, input, limit);
}

RunResult runCommand(const std::vector<std::string>& command, const std::string& input,
                     std::chrono::milliseconds limit) {
  Pipes pipes{};
  const pid_t pid = startChild(pipes, command);
  int in = pipes.in[1];
  int out = pipes.out[0];
  int err = pipes.err[0];
  fcntl(in, F_SETFL, O_NONBLOCK);
  std::size_t written = 0;
  if (input.empty()) {
    close(in);
    in = -1;
  }
  RunResult result;
  const auto deadline = Clock::now() + limit;
  while (out >= 0 || err >= 0) {
    std::vector<pollfd> fds;
    if (in >= 0) fds.push_back({in, POLLOUT, 0});
    if (out >= 0) fds.push_back({out, POLLIN, 0});
    if (err >= 0) fds.push_back({err, POLLIN, 0});
    if (poll(fds.data(), fds.size(), remainingMs(deadline)) <= 0) {
      result.timedOut = true;
      break;
    }
    for (const pollfd& p : fds) {
      if (p.revents == 0) continue;
      if (p.fd == in) {
        const ssize_t put = write(in, input.data() + written, input.size() - written);
        if (put > 0) written += static_cast<std::size_t>(put);
        if (put < 0 || written == input.size()) {
          close(in);
          in = -1;
        }
      } else if (p.fd == out) {
        drain(out, result.out);
      } else {
        drain(err, result.err);
      }
    }
  }
  for (int fd : {in, out, err}) {
    if (fd >= 0) close(fd);
  }
  collectStatus(pid, result, result.timedOut);
  return result;
}

ChildSession::ChildSession() {
  Pipes pipes{};
  pid_ = startChild(pipes, {MATHIEU12_BINARY});
  in_ = pipes.in[1];
  out_fd_ = pipes.out[0];
  err_fd_ = pipes.err[0];
}

ChildSession::~ChildSession() {
  for (int fd : {in_, out_fd_, err_fd_}) {
    if (fd >= 0) close(fd);
  }
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

void ChildSession::send(const std::string& text) {
  if (write(in_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    throw std::runtime_error("write to child failed");
  }
}

bool ChildSession::readSome(std::chrono::milliseconds limit) {
  std::vector<pollfd> fds;
  if (out_fd_ >= 0) fds.push_back({out_fd_, POLLIN, 0});
  if (err_fd_ >= 0) fds.push_back({err_fd_, POLLIN, 0});
  if (fds.empty() || poll(fds.data(), fds.size(), static_cast<int>(limit.count())) <= 0) {
    return false;
  }
  for (const pollfd& p : fds) {
    if (p.revents == 0) continue;
    if (p.fd == out_fd_) {
      drain(out_fd_, out_);
    } else {
      drain(err_fd_, err_);
    }
  }
  return true;
}

bool ChildSession::waitForOutputEnding(const std::string& suffix, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (!out_.ends_with(suffix)) {
    if (out_fd_ < 0 || !readSome(std::chrono::milliseconds(remainingMs(deadline)))) {
      return false;
    }
  }
  return true;
}

void ChildSession::closeInput() {
  if (in_ >= 0) {
    close(in_);
    in_ = -1;
  }
}

RunResult ChildSession::finish(std::chrono::milliseconds limit) {
  closeInput();
  const auto deadline = Clock::now() + limit;
  RunResult result;
  while (out_fd_ >= 0 || err_fd_ >= 0) {
    if (!readSome(std::chrono::milliseconds(remainingMs(deadline)))) {
      result.timedOut = true;
      break;
    }
  }
  collectStatus(pid_, result, result.timedOut);
  pid_ = -1;
  result.out = out_;
  result.err = err_;
  return result;
}
