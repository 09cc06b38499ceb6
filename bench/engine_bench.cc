// The cost of one dispatch pass when every job waits.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/clock.h"
#include "bench_fakes.h"
#include "engine/engine.h"
#include "messages/end_of_job.h"
#include "silent_operator.h"

namespace qlr {
namespace {

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

void After(Job& job, const std::string& pred) {
  job.RunAfter.push_back(pred);
  job.DepConditions += 'S';
  job.DepAutoUnsched += ' ';
}

// Diamonds stacked `jobs` deep: a job, `width` jobs after it, a job after all
// of those, and so on; the first waits for its start time.
Schedule Diamonds(int jobs, int width) {
  Schedule s = Forest(1, 1, 1);
  std::vector<std::string> layer = {"J1"};
  for (int i = 2; i <= jobs;) {
    const int size = layer.size() == 1 ? width : 1;
    std::vector<std::string> next;
    for (int k = 0; k < size && i <= jobs; ++k, ++i) {
      Job job = MakeJob(i);
      for (const std::string& pred : layer) After(job, pred);
      next.emplace_back(job.JobName.Trimmed());
      s.Jobs.push_back(std::move(job));
    }
    layer = std::move(next);
  }
  return s;
}

void RunPasses(benchmark::State& state, Schedule schedule) {
  StillClock clock{MakeDateTime(2026, 12, 4, 6, 0, 0)};
  SilentOperator op;
  RunLog log(schedule, clock, op);
  NoLauncher launcher;
  RecordingMessages messages;
  Engine engine(schedule, {log, op, clock, launcher, messages}, {}, {});
  engine.Open();
  for (auto _ : state) engine.Kick();
  state.counters["jobs"] = schedule.JobCount();
}

void BM_PassOverWaitingForest(benchmark::State& state) {
  RunPasses(state, Forest(32767, 1000, 10));
}
BENCHMARK(BM_PassOverWaitingForest)->Unit(benchmark::kMillisecond);

// A chain as long as a schedule can be, every job after the one before.
void BM_PassOverWaitingChain(benchmark::State& state) { RunPasses(state, Forest(32767, 1, 32767)); }
BENCHMARK(BM_PassOverWaitingChain)->Unit(benchmark::kMillisecond);

void BM_PassOverWaitingDiamonds(benchmark::State& state) { RunPasses(state, Diamonds(32767, 2)); }
BENCHMARK(BM_PassOverWaitingDiamonds)->Unit(benchmark::kMillisecond);

// The opening of the run day on the chain: the summary and the first pass
// (which `qlr run` must finish before it can answer a stop signal).
void BM_OpenChain(benchmark::State& state) {
  const Schedule chain = Forest(32767, 1, 32767);
  StillClock clock{MakeDateTime(2026, 12, 4, 6, 0, 0)};
  SilentOperator op;
  NoLauncher launcher;
  RecordingMessages messages;
  for (auto _ : state) {
    state.PauseTiming();
    Schedule schedule = chain;
    RunLog log(schedule, clock, op);
    Engine engine(schedule, {log, op, clock, launcher, messages}, {}, {});
    state.ResumeTiming();
    engine.Open();
  }
}
BENCHMARK(BM_OpenChain)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
