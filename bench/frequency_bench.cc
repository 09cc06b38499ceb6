// Frequency evaluation over long stretches of dates: the status decision,
// the try list and the run-date searches of date variables all rest on it.

#include <benchmark/benchmark.h>

#include "calendar/frequency.h"
#include "editor/frequency_editor.h"

namespace qlr {
namespace {

constexpr char kTenTerms[] =
    "-1WDOM +1Mon +15CDOM Weekdays+ -2Fri Sat 25 Dec 2026 +3WDOM Workdays- -1CDOM";

// About ten public holidays a year over 2025..2036, some on Mondays and
// Fridays, one at a month's end.
Schedule BenchSchedule() {
  Schedule schedule;
  schedule.RunDate = MakeDate(2026, 12, 4);
  for (int year = 2025; year <= 2036; ++year) {
    for (auto [month, day] : {std::pair{1, 1},
                              {3, 31},
                              {4, 6},
                              {5, 4},
                              {5, 25},
                              {8, 31},
                              {10, 12},
                              {11, 27},
                              {12, 25},
                              {12, 26}})
      schedule.Calendar.HolidayDays.push_back(DayNumber(MakeDate(year, month, day)));
  }
  return schedule;
}

void BM_IsScheduledOnTenYears(benchmark::State& state) {
  const Schedule schedule = BenchSchedule();
  const DateTime first = MakeDate(2026, 1, 1);
  for (auto _ : state) {
    int selected = 0;
    for (int i = 0; i < 3653; ++i)
      selected += IsScheduledOn(schedule.Calendar, kTenTerms, AddDays(first, i));
    benchmark::DoNotOptimize(selected);
  }
}
BENCHMARK(BM_IsScheduledOnTenYears)->Unit(benchmark::kMillisecond);

void BM_TryFrequency(benchmark::State& state) {
  const Schedule schedule = BenchSchedule();
  for (auto _ : state) {
    // A sparse frequency, so that all 350 dates are looked at.
    std::vector<std::string> entries = TryFrequency(schedule, "-1WDOM 25 Dec 2026 +2Tue", "Always");
    benchmark::DoNotOptimize(entries);
  }
}
BENCHMARK(BM_TryFrequency)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qlr
