// Opening the job editor on one job of the largest schedule, as the grid's
// Modify does: the editor filled (its dependency list names every other job
// of the group), shown and painted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "base/clock.h"
#include "bench_fakes.h"
#include "platform/desktop.h"
#include "schedule_generator.h"
#include "silent_operator.h"
#include "ui/job_edit_dialog.h"

namespace qlr {
namespace {

struct EditorRig {
  Schedule schedule = GenerateSchedule(32767, 1);
  StillClock clock;
  SilentOperator op;
  RunLog log{schedule, clock, op};
  NoDesktop desktop;
  GuiContext gui{schedule, log, op, desktop, clock};

  EditorRig() { schedule.LogFile = "/dev/null"; }
};

// The first job, one in the middle, the last: where a job stands in the
// table changes how its dependency list is built.
void BM_OpenJobEditor(benchmark::State& state) {
  static EditorRig rig;
  const int job = static_cast<int>(state.range(0));
  for (auto _ : state) {
    auto editor = std::make_unique<JobEditDialog>(rig.gui, job, false);
    editor->show();
    QApplication::processEvents();  // shown and painted
    state.PauseTiming();
    editor.reset();  // closing is not part of opening
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["jobs"] = rig.schedule.JobCount();
}
BENCHMARK(BM_OpenJobEditor)
    ->ArgName("job")
    ->Arg(1)
    ->Arg(16384)
    ->Arg(32767)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace qlr
