// The cost of one dispatch pass when every job waits.

#include <benchmark/benchmark.h>

#include <string>

#include "base/clock.h"
#include "engine/engine.h"
#include "messages/end_of_job.h"
#include "silent_operator.h"

namespace qlr {
namespace {

class StillClock : public Clock {
 public:
  DateTime Now() const override { return MakeDateTime(2026, 12, 4, 6, 0, 0); }
};

// Nothing starts in these benchmarks: every job waits.
class NoLauncher : public ProcessLauncher {
 public:
  std::optional<ProcessRef> Start(const LaunchRequest&) override { return std::nullopt; }
  ProcessState Poll(const ProcessRef&) override { return {}; }
  std::vector<std::string> ReadOutput(const ProcessRef&, const std::string&, int64_t&) override {
    return {};
  }
  void Terminate(const ProcessRef&) override {}
  std::string error() const override { return {}; }
};

Job MakeJob(int i) {
  Job job;
  job.JobName = "J" + std::to_string(i);
  job.Group = "BENCH";
  job.CommandLine = "/bin/true";
  job.Frequency = "Daily";
  return job;
}

// `trees` trees of jobs: each tree's root waits for its start time, every
// other job for its parent (depth at most `depth`).
Schedule Forest(int jobs, int trees, int depth) {
  Schedule s;
  s.RunDate = MakeDate(2026, 12, 4);
  s.LogFile = "/dev/null";
  s.JobOutputPath = "/tmp";
  int per_tree = jobs / trees;
  for (int i = 1; i <= jobs; ++i) {
    Job job = MakeJob(i);
    int in_tree = (i - 1) % per_tree;
    if (in_tree == 0 || i > trees * per_tree) {
      job.EarliestStart = "23:00";
    } else {
      int level = in_tree % depth;
      int parent = level == 0 ? i - in_tree : i - 1;
      job.RunAfter.push_back("J" + std::to_string(parent));
      job.DepConditions = "S";
      job.DepAutoUnsched = " ";
    }
    s.Jobs.push_back(std::move(job));
  }
  return s;
}

void RunPasses(benchmark::State& state, Schedule schedule) {
  StillClock clock;
  SilentOperator op;
  RunLog log(schedule, clock, op);
  NoLauncher launcher;
  RecordingMessages messages;
  Engine engine(schedule, log, launcher, messages, {});
  engine.SetSaveHook([] {});
  engine.Open();  // the first pass builds the cached predecessor lists
  for (auto _ : state) engine.Kick();
  state.counters["jobs"] = schedule.JobCount();
}

void BM_PassOverWaitingForest(benchmark::State& state) {
  RunPasses(state, Forest(32767, 1000, 10));
}
BENCHMARK(BM_PassOverWaitingForest)->Unit(benchmark::kMillisecond);

void BM_PassOverWaitingChain(benchmark::State& state) {
  RunPasses(state, Forest(5000, 1, 5000));
}
BENCHMARK(BM_PassOverWaitingChain)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
