#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/clock.h"
#include "platform/process_launcher.h"

namespace qlr::testing {

// What a fake process does: the lines it writes at once, how long it runs
// (seconds of the fake clock), how it exits (a code, or a signal when not 0),
// or that it cannot be started.
struct FakeOutcome {
  std::vector<std::string> lines;
  int64_t seconds = 0;
  int exit_code = 0;
  bool start_fails = false;
  int signal = 0;
};

// A launcher driven by a table of outcomes, keyed by a text the command line
// contains; records every request.
class FakeLauncher : public ProcessLauncher {
 public:
  explicit FakeLauncher(const Clock& clock) : clock_(clock) {}

  void Script(const std::string& key, FakeOutcome outcome) { script_[key] = std::move(outcome); }
  void ClearScript() { script_.clear(); }
  // Pretends that a process started by an earlier run of the program is still there.
  void Adopt(int pid, int64_t seconds) { processes_[pid] = {{{}, seconds}, clock_.Now(), false}; }

  std::optional<ProcessRef> Start(const LaunchRequest& request) override;
  ProcessState Poll(const ProcessRef& process) override;
  std::vector<std::string> ReadOutput(const ProcessRef& process, const std::string& output_path,
                                      int64_t& offset) override;
  void Terminate(const ProcessRef& process) override;
  std::string error() const override { return "No such file or directory"; }

  std::vector<LaunchRequest> started;  // every request, in order
  std::vector<int> terminated;         // pids asked to stop
  bool IsRunning(int pid) const;

 private:
  struct Process {
    FakeOutcome outcome;
    int64_t started_at = 0;
    bool terminated = false;
  };
  const FakeOutcome& OutcomeFor(const std::string& command_line) const;

  const Clock& clock_;
  std::map<std::string, FakeOutcome> script_;
  std::map<int, Process> processes_;
  int next_pid_ = 1000;
};

}  // namespace qlr::testing
