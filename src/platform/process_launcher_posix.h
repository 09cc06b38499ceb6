#pragma once
// Job processes on Linux: each job runs in its own process group with its
// output in one file; it is followed by pid and start time, so a restarted
// scheduler can still tell its jobs from processes that reuse their pids.
//
// The launcher owns SIGCHLD: the first launcher installs a handler (kept for
// the life of the program) that wakes ChildEndedFd(). Code that needs the
// exit status of its own children must not wait for every child (waitpid(-1)),
// and SIGCHLD must not be ignored, or exit statuses are lost.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/process_launcher.h"

namespace qlr {

class PosixProcessLauncher : public ProcessLauncher {
 public:
  using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

  // `kill_delay`: how long a terminated process group gets before SIGKILL, as
  // `now` measures it (the steady clock; tests give one they move by hand).
  explicit PosixProcessLauncher(std::chrono::milliseconds kill_delay = std::chrono::seconds(10),
                                SteadyNow now = std::chrono::steady_clock::now);

  // The command line (Windows-1252) is split into words (SplitCommandLine) and
  // its first word looked up on PATH, or run by /bin/sh -c with `use_shell`;
  // no shell otherwise. stdin is /dev/null, stdout and stderr go to the output
  // file, which is replaced (its folder created when missing; "" is
  // /dev/null). nullopt when the program cannot be found or executed.
  std::optional<ProcessRef> Start(const LaunchRequest& request) override;
  // Our own children are reaped here and their exit status kept; other pids
  // (started before a restart) run while /proc shows them alive with the same
  // start time. After Terminate, the process counts as running while any
  // process of its group lives (until SIGKILL was sent), so none is left behind.
  ProcessState Poll(const ProcessRef& process) override;
  // Complete lines (LF or CR LF, ends removed) after `offset`, each cut to 254
  // bytes; a last line without its end is given only once the process ended.
  std::vector<std::string> ReadOutput(const ProcessRef& process, const std::string& output_path,
                                      int64_t& offset) override;
  // SIGTERM to the process group now, SIGKILL at a later Poll or Terminate
  // once `kill_delay` has passed. Does nothing when the pid is another process.
  void Terminate(const ProcessRef& process) override;
  std::string error() const override { return error_; }

  // Readable (never blocking) after any child of this program ended; for
  // poll() beside a timer, which SIGCHLD may interrupt (EINTR: poll again).
  // -1 when the notification could not be set up.
  int ChildEndedFd() const;
  // Empties ChildEndedFd() after it became readable.
  void DrainChildEnded();

 private:
  struct Child {
    int32_t start_time = 0;
    ProcessState state;  // running until reaped
  };
  struct Termination {
    ProcessRef process;
    std::chrono::steady_clock::time_point kill_at;
  };

  std::nullopt_t Fail(int error_number);
  int Spawn(const std::vector<std::string>& words, int output_fd);  // pid, or -1
  Child* FindChild(const ProcessRef& process);
  void RememberChild(const ProcessRef& process);
  ProcessState MainProcessState(const ProcessRef& process);
  void ReapChild(int32_t pid, Child& child);
  Termination* FindTermination(const ProcessRef& process);
  void EscalateTerminations();

  std::chrono::milliseconds kill_delay_;
  SteadyNow now_;
  std::map<int32_t, Child> children_;  // by pid
  std::deque<int32_t> ended_;          // reaped children, oldest first, forgotten beyond a limit
  std::vector<Termination> terminations_;
  std::string error_;
};

}  // namespace qlr
