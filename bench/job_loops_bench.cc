// The loop check on the largest schedule there can be: 32767 jobs, each
// waiting for up to three earlier ones, with one loop near the end. Every
// job waits for the one before it, so a chase that followed every path would
// never finish; the check must stay linear.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "base/clock.h"
#include "model/constants.h"
#include "platform/operator.h"
#include "silent_operator.h"
#include "store/job_loops.h"

namespace qlr {
namespace {

std::string Name(int i) { return "J" + std::to_string(i); }

// Job i waits for job i-1 and up to two other earlier jobs; job kMaxJobs - 20
// also waits for the last job, which closes a loop through the chain.
Schedule ChainedSchedule() {
  Schedule s;
  std::mt19937 rng(32767);
  for (int i = 1; i <= kMaxJobs; ++i) {
    Job job;
    job.JobName = Name(i);
    if (i > 1) job.RunAfter.push_back(Name(i - 1));
    for (int extra = static_cast<int>(rng() % 3); extra > 0 && i > 2; --extra)
      job.RunAfter.push_back(Name(1 + static_cast<int>(rng() % static_cast<unsigned>(i - 2))));
    if (i == kMaxJobs - 20) job.RunAfter.back() = Name(kMaxJobs);
    job.DepConditions.assign(job.RunAfter.size(), 'S');
    job.DepAutoUnsched.assign(job.RunAfter.size(), ' ');
    s.Jobs.push_back(std::move(job));
  }
  return s;
}

void BM_JobLoops32767(benchmark::State& state) {
  Schedule schedule = ChainedSchedule();
  std::filesystem::path log_file =
      std::filesystem::temp_directory_path() / ("qlr-job-loops-" + std::to_string(::getpid()));
  schedule.LogFile = log_file.string();
  SystemClock clock;
  SilentOperator op;
  RunLog log(schedule, clock, op);
  if (!JobLoops(schedule, log)) state.SkipWithError("the loop was not found");
  for (auto _ : state) benchmark::DoNotOptimize(JobLoops(schedule, log));
  std::filesystem::remove(log_file);
}
BENCHMARK(BM_JobLoops32767)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
