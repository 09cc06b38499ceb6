#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/filter_program.h"

extern char** environ;

namespace qlr {
namespace {

// Writes `input` and reads the output at the same time, so that neither
// side waits for the other with a full pipe.
void Exchange(int to_child, int from_child, std::string_view input, std::string& output) {
  fcntl(to_child, F_SETFL, fcntl(to_child, F_GETFL) | O_NONBLOCK);
  size_t written = 0;
  if (input.empty()) close(to_child), to_child = -1;
  char buffer[65536];
  while (from_child >= 0) {
    pollfd fds[2] = {{from_child, POLLIN, 0}, {to_child, POLLOUT, 0}};
    if (poll(fds, to_child >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (to_child >= 0 && (fds[1].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(to_child, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<size_t>(n);
      if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size())
        close(to_child), to_child = -1;
    }
    if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
      const ssize_t n = read(from_child, buffer, sizeof buffer);
      if (n > 0) output.append(buffer, static_cast<size_t>(n));
      if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) break;
    }
  }
  if (to_child >= 0) close(to_child);
  close(from_child);
}

int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

FilterResult RunFilter(const std::vector<std::string>& argv, std::string_view input) {
  FilterResult result;
  int in[2], out[2];
  if (argv.empty() || pipe2(in, O_CLOEXEC) != 0) return result;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]), close(in[1]);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]), close(out[1]);
  if (failed != 0) {
    close(in[1]), close(out[0]);
    errno = failed;
    return result;
  }
  result.started = true;
  // A filter that stops reading early must not end this program with SIGPIPE.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  Exchange(in[1], out[0], input, result.output);
  std::signal(SIGPIPE, previous);
  result.status = WaitFor(pid);
  return result;
}

}  // namespace qlr
