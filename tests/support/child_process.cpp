#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <csignal>

extern char** environ;

namespace tarvo::testing {

namespace {

// posix_spawn, unlike fork, is safe from a process with threads running.
pid_t Spawn(const std::vector<std::string>& argv, int outFd, int errFd) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
  pid_t pid = -1;
  if (::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
  ::posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitStatus(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// The pipe's read end, which only this process keeps (spawned programs must not hold it open).
bool MakePipe(int (&fds)[2]) {
  return ::pipe2(fds, O_CLOEXEC) == 0;
}

}  // namespace

Finished RunToEnd(const std::vector<std::string>& argv) {
  Finished finished;
  int out[2], err[2];
  if (!MakePipe(out)) return finished;
  if (!MakePipe(err)) {
    ::close(out[0]);
    ::close(out[1]);
    return finished;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = Spawn(argv, out[1], err[1]);
  ::close(out[1]);
  ::close(err[1]);
  pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
  std::string* sinks[2] = {&finished.out, &finished.err};
  int open = 2;
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) ::close(fd.fd);
  }
  if (pid > 0) finished.status = WaitStatus(pid);
  finished.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return finished;
}

Background::Background(const std::vector<std::string>& argv) {
  int out[2];
  if (!MakePipe(out)) return;
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  pid_ = Spawn(argv, out[1], null);
  ::close(out[1]);
  ::close(null);
  out_ = out[0];
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    pollfd entry{out_, POLLIN, 0};
    if (::poll(&entry, 1, 100) <= 0) continue;
    char c = 0;
    if (::read(out_, &c, 1) != 1) break;
    if (c == '\n') return;
    firstLine_ += c;
  }
  firstLine_.clear();
}

int Background::Stop() {
  int status = -1;
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    status = WaitStatus(pid_);
    pid_ = -1;
  }
  if (out_ >= 0) ::close(out_);
  out_ = -1;
  return status;
}

}  // namespace tarvo::testing
