#include "support/fake_launcher.h"

namespace qlr::testing {

const FakeOutcome& FakeLauncher::OutcomeFor(const std::string& command_line) const {
  static const FakeOutcome kInstant;
  for (const auto& [key, outcome] : script_)
    if (command_line.find(key) != std::string::npos) return outcome;
  return kInstant;
}

std::optional<ProcessRef> FakeLauncher::Start(const LaunchRequest& request) {
  started.push_back(request);
  const FakeOutcome& outcome = OutcomeFor(request.command_line);
  if (outcome.start_fails) return std::nullopt;
  int pid = next_pid_++;
  processes_[pid] = {outcome, clock_.Now(), false};
  return ProcessRef{static_cast<int32_t>(pid * 7), pid};
}

bool FakeLauncher::IsRunning(int pid) const {
  auto it = processes_.find(pid);
  if (it == processes_.end()) return false;
  const Process& p = it->second;
  return !p.terminated && clock_.Now() < p.started_at + p.outcome.seconds;
}

ProcessState FakeLauncher::Poll(const ProcessRef& process) {
  ProcessState state;
  state.running = IsRunning(process.pid);
  auto it = processes_.find(process.pid);
  if (!state.running && it != processes_.end()) {
    state.exit_known = true;
    state.signal = it->second.terminated ? 15 : it->second.outcome.signal;
    state.exit_code = it->second.outcome.exit_code;
  }
  return state;
}

std::vector<std::string> FakeLauncher::ReadOutput(const ProcessRef& process, const std::string&,
                                                  int64_t& offset) {
  auto it = processes_.find(process.pid);
  if (it == processes_.end() || offset > 0) return {};
  offset = 1;
  return it->second.outcome.lines;
}

void FakeLauncher::Terminate(const ProcessRef& process) {
  terminated.push_back(process.pid);
  auto it = processes_.find(process.pid);
  if (it != processes_.end()) it->second.terminated = true;
}

}  // namespace qlr::testing
