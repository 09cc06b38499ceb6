#include "platform/desktop_posix.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "base/encoding.h"
#include "platform/command_line.h"
#include "platform/file_system.h"

namespace qlr {
namespace {

// In the grandchild, between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecProgram(char* const* argv, int report_fd) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  for (int s = 1; s < NSIG; ++s) signal(s, SIG_DFL);  // nothing we ignore stays ignored
  int null_fd = open("/dev/null", O_RDONLY);
  if (null_fd > 0) {
    dup2(null_fd, STDIN_FILENO);
    close(null_fd);
  }
  execvp(argv[0], argv);
  int error = errno;
  (void)!write(report_fd, &error, sizeof error);
  _exit(127);
}

// The middle process: a new session, so that the program outlives a closed
// terminal and is adopted by init as soon as this one exits.
[[noreturn]] void ForkProgram(char* const* argv, int report_fd) {
  setsid();
  pid_t pid = fork();
  if (pid == 0) ExecProgram(argv, report_fd);
  _exit(pid < 0 ? 1 : 0);
}

// Waits for our own middle process only, never for any child: the process
// launcher keeps the exit statuses of the jobs.
bool MiddleSucceeded(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The exec error the grandchild reported; 0 when the pipe closed on a
// successful exec (it is close-on-exec).
int ReportedError(int fd) {
  int error = 0;
  ssize_t n;
  while ((n = read(fd, &error, sizeof error)) < 0 && errno == EINTR) {
  }
  return n == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace

bool StartDetached(const std::vector<std::string>& words) {
  if (words.empty() || words[0].empty()) return false;
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    ForkProgram(argv.data(), report[1]);
  }
  close(report[1]);
  bool started = pid > 0 && MiddleSucceeded(pid) && ReportedError(report[0]) == 0;
  close(report[0]);
  return started;
}

bool PosixDesktop::EditText(const std::string& path) {
  std::vector<std::string> words;
  for (const std::string& word : SplitCommandLine(text_editor_))
    words.push_back(Cp1252ToUtf8(word));
  if (words.empty()) return false;  // never run the document itself
  words.push_back(OsPath(path));
  return StartDetached(words);
}

bool PosixDesktop::SetClipboardText(const std::string&) { return false; }

bool PosixDesktop::OpenDocument(const std::string& path) {
  return StartDetached({"xdg-open", OsPath(path)});
}

}  // namespace qlr
