// The timeline of a large day: reading it back from the run log, and
// drawing it as SVG.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "log/run_log.h"
#include "log/timeline_log.h"
#include "log/timeline_svg.h"

namespace qlr {
namespace {

const DateTime kDay = MakeDate(2026, 12, 4);

// The lines of a day in which `jobs` jobs each run for ten minutes, one
// starting every second from 06:00.
std::vector<std::string> DayLines(int jobs) {
  std::vector<std::string> lines = {
      FormatLogLine("Schedule for Friday 4 Dec 2026 " + std::string(40, '-'), kDay + 6 * 3600,
                    false, "dd mmm yyyy")};
  for (int i = 0; i < jobs; ++i) {
    const std::string name = PadRight("J" + std::to_string(i), 8);
    const DateTime start = kDay + 6 * 3600 + i;
    lines.push_back(
        FormatLogLine(name + " (Daily) \tSubmitted at 06:00:00", start, false, "dd mmm yyyy"));
    lines.push_back(FormatLogLine(name + "\tCompleted at 06:10:00 (Duration 00:10:00)", start + 600,
                                  false, "dd mmm yyyy"));
  }
  return lines;
}

void BM_ReadDayLog(benchmark::State& state) {
  const std::vector<std::string> lines = DayLines(static_cast<int>(state.range(0)));
  Schedule schedule;
  for (auto _ : state) {
    DayLogReader reader(schedule, kDay);
    for (const std::string& line : lines) reader.Feed(line);
    benchmark::DoNotOptimize(reader.Finish(kDay + 86399));
  }
}
BENCHMARK(BM_ReadDayLog)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_TimelineSvg(benchmark::State& state) {
  Schedule schedule;
  DayLogReader reader(schedule, kDay);
  for (const std::string& line : DayLines(static_cast<int>(state.range(0)))) reader.Feed(line);
  const Timeline timeline = reader.Finish(kDay + 86399);
  for (auto _ : state) benchmark::DoNotOptimize(TimelineSvg(timeline));
  state.counters["bytes"] = static_cast<double>(TimelineSvg(timeline).size());
}
BENCHMARK(BM_TimelineSvg)->Arg(2000)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
