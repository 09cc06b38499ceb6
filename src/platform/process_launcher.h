#pragma once
// Starting and following job processes. The engine never waits on a process:
// it asks at each pass whether the process still runs, reads what it wrote
// since the last look, and may ask for it to be stopped.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qlr {

// Identifies a started process for as long as the schedule file keeps it:
// the pid and its start time (clock ticks since boot, low 32 bits), which
// guards against the pid being reused by another process after a restart.
struct ProcessRef {
  int32_t start_time = 0;
  int32_t pid = 0;
};

struct LaunchRequest {
  std::string command_line;  // Windows-1252; split into words unless `use_shell`
  bool use_shell = false;    // run as /bin/sh -c command_line
  std::string output_path;   // stdout and stderr go here; the file is replaced at each start
};

struct ProcessState {
  bool running = false;
  bool exit_known = false;  // the process was our child and has been reaped
  int exit_code = 0;        // when exit_known and not killed by a signal
  int signal = 0;           // when exit_known and killed by a signal, else 0
};

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // Starts the process without waiting; nullopt when it could not be started
  // (error() then says why).
  virtual std::optional<ProcessRef> Start(const LaunchRequest& request) = 0;
  // Whether the process still runs; an ended child is reaped here.
  virtual ProcessState Poll(const ProcessRef& process) = 0;
  // The complete lines the job wrote to its output file after `offset` (a byte
  // offset the caller keeps), each cut to 254 characters; advances `offset`.
  virtual std::vector<std::string> ReadOutput(const ProcessRef& process,
                                              const std::string& output_path, int64_t& offset) = 0;
  // Asks the process group to stop (SIGTERM), and kills it (SIGKILL) when it
  // is still there ten seconds later, at a later Poll or Terminate.
  virtual void Terminate(const ProcessRef& process) = 0;
  virtual std::string error() const = 0;
};

}  // namespace qlr
