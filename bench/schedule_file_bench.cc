// Reading and writing the largest schedule there can be: 32767 generated jobs
// with lines of about 300 bytes, in a folder under /tmp.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "base/clock.h"
#include "log/run_log.h"
#include "model/constants.h"
#include "platform/operator.h"
#include "schedule_generator.h"
#include "silent_operator.h"
#include "store/schedule_file.h"

namespace qlr {
namespace {

// A folder of its own holding the schedule file and the triggers list.
struct BenchFolder {
  BenchFolder()
      : path(std::filesystem::temp_directory_path() /
             ("qlr-schedule-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~BenchFolder() { std::filesystem::remove_all(path); }
  std::filesystem::path path;
};

Schedule LargeSchedule(const BenchFolder& folder) {
  Schedule schedule = GenerateSchedule(kMaxJobs, 1);
  schedule.ScheduleFile = (folder.path / "bench.sch").string();
  schedule.TriggerPath = folder.path.string();
  schedule.TriggersListFile = (folder.path / "Triggers.Lst").string();
  return schedule;
}

void BM_ReadSchedule32767(benchmark::State& state) {
  BenchFolder folder;
  Schedule schedule = LargeSchedule(folder);
  SystemClock clock;
  SilentOperator op;
  RunLog log(schedule, clock, op);
  WriteSchedule(schedule, log, op);
  for (auto _ : state) {
    state.PauseTiming();
    schedule.ClearJobs();  // start-up reads into an empty table
    state.ResumeTiming();
    ReadSchedule(schedule, log, op);
  }
  if (schedule.JobCount() != kMaxJobs) state.SkipWithError("not every job was read");
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(schedule.ScheduleFile)));
}
BENCHMARK(BM_ReadSchedule32767)->Unit(benchmark::kMillisecond);

void BM_WriteSchedule32767(benchmark::State& state) {
  BenchFolder folder;
  Schedule schedule = LargeSchedule(folder);
  SystemClock clock;
  SilentOperator op;
  RunLog log(schedule, clock, op);
  for (auto _ : state) benchmark::DoNotOptimize(WriteSchedule(schedule, log, op));
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(schedule.ScheduleFile)));
}
BENCHMARK(BM_WriteSchedule32767)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
